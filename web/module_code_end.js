return createStudioModule;
}
