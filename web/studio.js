// The studio page's script: hands the person's clicks, drags and keys on the panel canvas to
// the stand-in host's panel services in the WebAssembly module, paints what the host's
// painter made of the panel, takes the surface inputs beside it, keeps the picture
// rendering after each edit (coarse first, then refined, the refined pass in bands of rows
// by workers, one per core, each with its own instance of the module), offers the stored
// block, the look as one file, the named looks and a map of luminosity, turns the model
// under the pointer, holds a picture to compare with the live render across a wipe, and
// shows the look on a model file dropped on the render (read in the module, by its
// content). It never writes the shader's parameters itself: every edit goes through the
// module's panel code or its load entry. window.pelorix3 is the page's small API, for
// tests and for embedding (docs/studio.md).
(function () {
  'use strict';

  // pelorix3-studio.js holds the module's code as the body of this function.
  const createStudioModule = pelorix3StudioModuleCode();

  // Calls into the module `moduleOf()` gives with a text or bytes copied into its memory
  // for the call's length: use(pointer, length). The page and its workers share it (they
  // get its text).
  function memoryCalls(moduleOf) {
    return {
      withString(value, use) {
        const module = moduleOf();
        const size = module.lengthBytesUTF8(value) + 1;
        const pointer = module._malloc(size);
        try {
          module.stringToUTF8(value, pointer, size);
          return use(pointer, size - 1);
        } finally {
          module._free(pointer);
        }
      },
      withBytes(bytes, use) {
        const module = moduleOf();
        const pointer = module._malloc(Math.max(1, bytes.length));
        try {
          module.HEAPU8.set(bytes, pointer);
          return use(pointer, bytes.length);
        } finally {
          module._free(pointer);
        }
      },
    };
  }

  const byId = (id) => document.getElementById(id);
  const panelCanvas = byId('panel');
  const renderCanvas = byId('render');
  const storedText = byId('stored-text');
  const storedMessage = byId('stored-message');
  const panelMessage = byId('panel-message');
  const panelWarning = byId('panel-warning');
  const lookSelect = byId('preset');
  const mapSelect = byId('luminous-map');
  const renderStatus = byId('render-status');
  const subjectSelect = byId('subject');
  const modelOption = byId('model-option');
  const modelMessage = byId('model-message');
  const panelNote = byId('panel-note');
  const surfaceMessage = byId('surface-message');
  const surfaceFields = Array.from(document.querySelectorAll('#surface input'));

  let M = null;                 // the WebAssembly module once it runs
  let shownVersion = -1;        // the picture version last painted
  let scheduled = false;
  let textDirty = false;        // the person edits the text box: leave it alone
  let editStart = null;         // when the last edit began (performance.now())
  let lastTimings = { firstPictureMs: null, refinedMs: null, refinedPassMs: null, refinedBy: null };
  let idleWaiters = [];
  let pendingMove = null;
  let resting = true;           // the camera is still: the picture may be refined
  let livePicture = null;       // the last picture rendered, as ImageData
  let model = null;             // the model last shown: {bytes, name}
  let subjectVersion = 0;       // counts the subjects shown, for the workers to follow
  let subjectKind = 'sphere';   // the subject shown: 'sphere', 'cloth' or 'model'
  let surfaceError = '';        // why the last surface input typed was refused
  let fullPictureAt = null;     // when the full-size pass was shown (performance.now())

  let resolveReady;
  let rejectReady;
  const ready = new Promise((resolve, reject) => {
    resolveReady = resolve;
    rejectReady = reject;
  });

  // ---- Calling into the module -----------------------------------------------------

  function text(pointer) { return M.UTF8ToString(pointer); }

  const { withString, withBytes } = memoryCalls(() => M);

  function parameters() { return JSON.parse(text(M._studio_parameters())); }
  function currentStoredText() { return text(M._studio_stored_text()); }

  // ---- Painting ----------------------------------------------------------------------

  // A copy of RGBA pixels in the module's memory, which a later call may move or reuse.
  function heapImage(pointer, width, height) {
    const pixels = new Uint8ClampedArray(M.HEAPU8.buffer, pointer, width * height * 4);
    return new ImageData(new Uint8ClampedArray(pixels), width, height);
  }

  function paint(canvas, pointer, width, height) {
    canvas.getContext('2d').putImageData(heapImage(pointer, width, height), 0, 0);
  }

  function paintPanel() {
    paint(panelCanvas, M._studio_panel_pixels(), M._studio_panel_width(), M._studio_panel_height());
  }

  const passNames = ['coarse', 'full size', 'refined (2 × 2 samples a pixel)'];

  // Paints the picture when a pass has finished since the last paint; true if it did.
  function paintPicture() {
    const version = M._studio_picture_version();
    if (version === shownVersion) return false;
    shownVersion = version;
    const [width, height] = [M._studio_picture_width(), M._studio_picture_height()];
    livePicture = heapImage(M._studio_picture_pixels(), width, height);
    showRender();
    const pass = M._studio_picture_pass();
    if (pass === 1) fullPictureAt = performance.now();
    if (pass === 2 && fullPictureAt !== null && lastTimings.refinedPassMs === null) {
      lastTimings.refinedPassMs = performance.now() - fullPictureAt;
      lastTimings.refinedBy = refinedBy;
    }
    renderStatus.textContent = 'Picture: ' + passNames[pass] + '. Renders finished: ' + M._studio_render_count() + '.';
    return true;
  }

  function showParameters() {
    const p = parameters();
    const rows = [
      ['Density', p.density],
      ['Transparency', p.transparency],
      ['Specular Color', p.specularColor.map((c) => c.toFixed(6)).join('\n')],  // R, G, B
      ["Don't Overlap Raytraced Shadows", p.dontOverlapShadows ? 'on' : 'off'],
      ['Modulate Density by Luminosity', p.densityByLuminosity ? 'on' : 'off'],
    ];
    const list = byId('parameters');
    list.replaceChildren();
    for (const [name, value] of rows) {
      const dt = document.createElement('dt');
      dt.textContent = name;
      const dd = document.createElement('dd');
      dd.textContent = typeof value === 'number' ? value.toFixed(6) : value;
      list.append(dt, dd);
    }
    if (!textDirty) storedText.value = currentStoredText();
    showPanelWarnings();
    showSurface();
    panelNote.textContent = JSON.parse(text(M._studio_notes())).join('\n');
    showLook();
  }

  // The surface inputs as the scene holds them, the colour's swatch, and what was said
  // about them: the last refusal, and the command line's warnings.
  function showSurface() {
    const surface = JSON.parse(text(M._studio_surface()));
    for (const field of surfaceFields) field.value = surface[field.dataset.input];
    const channel = (value) => Math.round(255 * Math.min(1, Math.max(0, Number(value))));
    byId('color-swatch').style.background =
      'rgb(' + surface.color.split(',').map(channel).join(',') + ')';
    const warnings = warningLines(JSON.parse(text(M._studio_surface_warnings())));
    surfaceMessage.classList.toggle('error', surfaceError !== '');
    surfaceMessage.textContent = [surfaceError, warnings].filter(Boolean).join('\n');
  }

  // The values the panel cannot show, with the warning the command line gives for them.
  function showPanelWarnings() {
    const warnings = JSON.parse(text(M._studio_panel_warnings()));
    panelWarning.textContent = warningLines(warnings);
  }

  // The Look list names a look only while the stored block is that look's; else "custom".
  function showLook() {
    const name = text(M._studio_look());
    lookSelect.value = name;
    byId('preset-description').textContent = name ? lookSelect.selectedOptions[0].title : '';
  }

  // What the panel said (the About text, an error) stays until the panel is next used.
  function clearPanelMessage() {
    panelMessage.classList.remove('error');
    panelMessage.textContent = '';
  }

  function showModuleMessages() {
    const messages = JSON.parse(text(M._studio_messages()));
    if (messages.length > 0) {
      panelMessage.classList.remove('error');
      panelMessage.textContent = messages.join('\n');
    }
  }

  // ---- Rendering ---------------------------------------------------------------------

  function pump() {
    scheduled = false;
    if (!resting) return;  // the camera is moving: its coarse pictures are enough
    const step = M._studio_render_step(12);
    paintPicture();
    if (step === 1) {
      schedule();
      return;
    }
    if (step === 2) {  // the refined pass is the workers'; their picture calls pump again
      askWorkersForRefined();
      return;
    }
    if (editStart !== null && lastTimings.refinedMs === null) {
      lastTimings.refinedMs = performance.now() - editStart;
    }
    const waiters = idleWaiters;
    idleWaiters = [];
    waiters.forEach((resolve) => resolve());
  }

  function schedule() {
    if (scheduled) return;
    scheduled = true;
    setTimeout(pump, 0);
  }

  // The picture starts again: its coarse pass is rendered and painted at once, within the
  // same event.
  function coarsePicture(started) {
    editStart = started;
    lastTimings = { firstPictureMs: null, refinedMs: null, refinedPassMs: null, refinedBy: null };
    fullPictureAt = null;
    refinedBy = 0;
    const before = M._studio_picture_version();
    while (M._studio_picture_version() === before && M._studio_render_step(100) === 1) { /* coarse pass */ }
    paintPicture();
    lastTimings.firstPictureMs = performance.now() - started;
    stopWorkers();  // what they render is no longer the picture
  }

  // After an edit the coarse picture comes at once, and the rest follows between events.
  function pictureAfterEdit(started) {
    coarsePicture(started);
    showParameters();
    schedule();
  }

  // ---- The panel ---------------------------------------------------------------------

  // What the module said went wrong, beside the panel.
  function showPanelError() {
    panelMessage.classList.add('error');
    panelMessage.textContent = text(M._studio_error());
  }

  // The module's warnings, one line each.
  function warningLines(warnings) {
    return warnings.map((warning) => 'Warning: ' + warning).join('\n');
  }

  function handlePanel(result, started) {
    if (result < 0) {
      showPanelError();
      return;
    }
    if (result & 2) paintPanel();
    showModuleMessages();
    if (result & 1) pictureAfterEdit(started);
  }

  function panelPoint(event) {
    const box = panelCanvas.getBoundingClientRect();
    return [Math.floor(event.clientX - box.left), Math.floor(event.clientY - box.top)];
  }

  panelCanvas.addEventListener('pointerdown', (event) => {
    if (!M || event.button !== 0) return;
    const started = performance.now();
    panelCanvas.focus();
    panelCanvas.setPointerCapture(event.pointerId);
    clearPanelMessage();
    const [x, y] = panelPoint(event);
    handlePanel(M._studio_panel_pointer_down(x, y), started);
    event.preventDefault();
  });

  // Drags are taken once a frame, at the latest pointer position, and at their end.
  function takeMove() {
    if (pendingMove === null) return;
    const [x, y] = pendingMove;
    pendingMove = null;
    handlePanel(M._studio_panel_pointer_move(x, y), performance.now());
  }

  panelCanvas.addEventListener('pointermove', (event) => {
    if (!M || (event.buttons & 1) === 0) return;
    const first = pendingMove === null;
    pendingMove = panelPoint(event);
    if (first) requestAnimationFrame(takeMove);
  });

  function endDrag(event) {
    if (!M) return;
    if (pendingMove !== null) pendingMove = panelPoint(event);
    takeMove();
    M._studio_panel_pointer_up();
  }
  panelCanvas.addEventListener('pointerup', endDrag);
  panelCanvas.addEventListener('pointercancel', endDrag);

  const panelKeys = new Set(['Backspace', 'Enter', 'Escape', 'Tab', '.', '-',
                             '0', '1', '2', '3', '4', '5', '6', '7', '8', '9']);
  // Tab commits the typing and moves to the next percent field (Shift+Tab to the one
  // before); from the last one the keyboard leaves the canvas as usual, the text committed.
  panelCanvas.addEventListener('keydown', (event) => {
    if (!M || !panelKeys.has(event.key) || M._studio_panel_typing() !== 1) return;
    const started = performance.now();
    const key = event.key === 'Tab' && event.shiftKey ? 'Shift+Tab' : event.key;
    clearPanelMessage();
    handlePanel(withString(key, (pointer) => M._studio_panel_key(pointer)), started);
    if (event.key !== 'Tab' || M._studio_panel_typing() === 1) event.preventDefault();
  });

  // Leaving the canvas in any other way commits the typing too.
  panelCanvas.addEventListener('blur', () => {
    if (M && M._studio_panel_typing() === 1) {
      handlePanel(withString('Enter', (pointer) => M._studio_panel_key(pointer)), performance.now());
    }
  });

  // ---- The surface inputs -------------------------------------------------------------

  // Sets one input from the text typed for it, checked as the command line checks it:
  // {ok: true}, or {ok: false, error} with the input as it was.
  function setSurfaceInput(name, value) {
    const started = performance.now();
    const set = withString(name, (namePointer) => withString(value,
      (valuePointer) => M._studio_set_surface_input(namePointer, valuePointer))) === 1;
    surfaceError = set ? '' : text(M._studio_error()) + '; it stays as it was.';
    if (!set) {
      showSurface();
      return { ok: false, error: text(M._studio_error()) };
    }
    pictureAfterEdit(started);
    return { ok: true };
  }

  // A field's text is taken when it changes: Enter, Tab or a click elsewhere.
  for (const field of surfaceFields) {
    field.addEventListener('change', () => { if (M) setSurfaceInput(field.dataset.input, field.value); });
  }

  // ---- The stored block --------------------------------------------------------------

  // What a load said: loaded, or why not. A block loaded alone says once, as well, where
  // the surface inputs come from.
  function showLoadResult(result, note) {
    storedMessage.classList.toggle('error', !result.ok);
    storedMessage.textContent = result.ok
      ? ['Loaded through the module\'s load entry.', note].filter(Boolean).join('\n')
      : result.error + '. Nothing was loaded: the parameters are unchanged.';
  }

  // mode: 0 binary, 1 text, 2 either by content.
  function loadBlock(bytes, mode) {
    const started = performance.now();
    const loaded = withBytes(bytes, (pointer, length) => M._studio_load(pointer, length, mode)) === 1;
    const result = loaded ? { ok: true } : { ok: false, error: text(M._studio_error()) };
    showLoadResult(result, loaded ? text(M._studio_block_note()) : '');
    if (loaded) {
      textDirty = false;
      pictureAfterEdit(started);
      paintPanelAgain();
    }
    return result;
  }

  // The panel shows the instance's values when it opens: open it once to show them.
  function paintPanelAgain() {
    handlePanel(M._studio_panel_show(), performance.now());
  }

  function loadStoredText(value) {
    storedText.value = value;
    textDirty = true;
    return loadBlock(new TextEncoder().encode(value), 1);
  }

  storedText.addEventListener('input', () => { textDirty = true; });
  byId('load').addEventListener('click', () => { if (M) loadStoredText(storedText.value); });
  byId('show-current').addEventListener('click', () => {
    textDirty = false;
    storedText.value = currentStoredText();
    storedMessage.textContent = '';
  });

  function download(name, bytes, type) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  }

  byId('download-text').addEventListener('click', () => {
    download('pelorix3-parameters.txt', currentStoredText(), 'text/plain');
  });
  byId('download-binary').addEventListener('click', () => {
    const pointer = M._studio_stored_binary();
    download('pelorix3-parameters.bin', M.HEAPU8.slice(pointer, pointer + M._studio_bytes_size()),
             'application/octet-stream');
  });

  // ---- The look as one file ----------------------------------------------------------

  function lookZip() {
    const pointer = M._studio_look_zip();
    return { name: text(M._studio_look_zip_name()),
             bytes: M.HEAPU8.slice(pointer, pointer + M._studio_bytes_size()) };
  }

  byId('download-look').addEventListener('click', () => {
    if (!M) return;
    const look = lookZip();
    download(look.name, look.bytes, 'application/zip');
  });

  // Takes the look of a zip file's bytes whole: {ok: true}, or {ok: false, error} with
  // everything as it was.
  function loadLook(bytes, name) {
    const started = performance.now();
    const taken = withBytes(bytes, (pointer, length) => withString(name,
      (namePointer) => M._studio_load_look(pointer, length, namePointer))) === 1;
    const error = taken ? '' : text(M._studio_error());
    storedMessage.classList.toggle('error', !taken);
    storedMessage.textContent = taken
      ? 'Took the look of ' + name + ': its stored block, surface inputs and map.'
      : error + '. Nothing was taken: the look is unchanged.';
    if (!taken) return { ok: false, error };
    textDirty = false;
    surfaceError = '';
    showLuminousMap();
    pictureAfterEdit(started);
    paintPanelAgain();
    return { ok: true };
  }

  const isZip = (bytes) => bytes.length >= 4 && bytes[0] === 0x50 && bytes[1] === 0x4b &&
                           bytes[2] === 3 && bytes[3] === 4;
  // Saves the picture of the current parameters once it is refined, as the canvas shows it.
  function savePicture() {
    whenIdle().then(() => {
      renderCanvas.toBlob((blob) => download('pelorix3-render.png', blob, 'image/png'), 'image/png');
    });
  }
  byId('save-picture').addEventListener('click', () => { if (M) savePicture(); });

  // A look's file or a block, told apart by their content.
  byId('upload').addEventListener('change', async (event) => {
    const file = event.target.files[0];
    if (!file || !M) return;
    const bytes = new Uint8Array(await file.arrayBuffer());
    if (isZip(bytes)) {
      loadLook(bytes, file.name);
    } else {
      loadBlock(bytes, 2);
    }
    event.target.value = '';
  });

  // ---- Subject and named looks -------------------------------------------------------

  subjectSelect.addEventListener('change', (event) => {
    const started = performance.now();
    renderStatus.textContent = 'Building the scene…';
    setTimeout(() => {
      if (event.target.value === 'model') {
        loadModel(model.bytes, model.name);
        return;
      }
      if (M._studio_set_subject(event.target.value === 'cloth' ? 1 : 0) !== 1) {
        renderStatus.textContent = text(M._studio_error());
        return;
      }
      subjectVersion += 1;
      subjectKind = event.target.value;
      modelMessage.textContent = '';
      showSurfaces();
      pictureAfterEdit(started);
    }, 0);
  });

  // ---- Models: a file dropped on the render, or opened -----------------------------------

  // Makes the model of a file's bytes (an object file or OBJ text) the subject:
  // {ok: true, warnings}, or {ok: false, error} with the subject as it was.
  function loadModel(bytes, name) {
    const started = performance.now();
    const shown = withBytes(bytes, (pointer, length) => withString(name,
      (namePointer) => M._studio_set_model(pointer, length, namePointer))) === 1;
    if (!shown) {
      const error = text(M._studio_error());
      modelMessage.classList.add('error');
      modelMessage.textContent = error + '. The subject is unchanged.';
      shownVersion = -1;  // the status line again
      paintPicture();
      return { ok: false, error };
    }
    model = { bytes, name };
    subjectVersion += 1;
    subjectKind = 'model';
    modelOption.hidden = false;
    modelOption.textContent = 'Model: ' + name;
    subjectSelect.value = 'model';
    const warnings = JSON.parse(text(M._studio_model_warnings()));
    showModelWarnings();
    showSurfaces();
    if (surfaces().some((surface) => surface.picked)) {  // its block and inputs came with it
      textDirty = false;
      surfaceError = '';
      showLuminousMap();
    }
    pictureAfterEdit(started);
    paintPanelAgain();
    return { ok: true, warnings };
  }

  // ---- An object file's surfaces -----------------------------------------------------

  const surfacesBox = byId('surfaces-box');
  const surfaceList = byId('surfaces');

  function surfaces() { return JSON.parse(text(M._studio_surfaces())); }

  // The object file's surfaces, the picked one pressed; hidden for every other subject.
  function showSurfaces() {
    const list = subjectKind === 'model' ? surfaces() : [];
    surfacesBox.hidden = list.length === 0;
    surfaceList.replaceChildren(...list.map((surface, index) => {
      const button = document.createElement('button');
      button.textContent = surface.name + (surface.module ? ' (pelorix3)' : '');
      button.title = surface.module ? 'Runs pelorix3 with its stored block'
                                    : 'Runs no pelorix3: shown in a plain material of its colour';
      button.setAttribute('aria-pressed', String(surface.picked));
      button.addEventListener('click', () => pickSurface(index));
      const item = document.createElement('li');
      item.append(button);
      return item;
    }));
  }

  function showModelWarnings() {
    modelMessage.classList.remove('error');
    modelMessage.textContent = warningLines(JSON.parse(text(M._studio_model_warnings())));
  }

  // Makes the surface at `index` the one the panel and the surface inputs edit:
  // {ok: true}, or {ok: false, error} with everything as it was.
  function pickSurface(index) {
    const started = performance.now();
    if (M._studio_pick_surface(index) !== 1) {
      const error = text(M._studio_error());
      modelMessage.classList.add('error');
      modelMessage.textContent = error + '. The surface picked is unchanged.';
      return { ok: false, error };
    }
    textDirty = false;
    surfaceError = '';
    showLuminousMap();
    showSurfaces();
    showModelWarnings();
    pictureAfterEdit(started);
    paintPanelAgain();
    return { ok: true };
  }

  // The object file with the look in the picked surface: {ok: true, name, bytes}, or
  // {ok: false, error}.
  function objectFile() {
    const pointer = M._studio_object_file();
    if (pointer === 0) return { ok: false, error: text(M._studio_error()) };
    return { ok: true, name: text(M._studio_object_file_name()),
             bytes: M.HEAPU8.slice(pointer, pointer + M._studio_bytes_size()) };
  }

  byId('download-object').addEventListener('click', () => {
    if (!M) return;
    const written = objectFile();
    if (written.ok) {
      download(written.name, written.bytes, 'application/octet-stream');
      return;
    }
    modelMessage.classList.add('error');
    modelMessage.textContent = written.error + '. Nothing was downloaded.';
  });

  async function loadModelFile(file) {
    if (!M || !file) return;
    renderStatus.textContent = 'Reading ' + file.name + '…';
    loadModel(new Uint8Array(await file.arrayBuffer()), file.name);
  }

  renderCanvas.addEventListener('dragover', (event) => {
    event.preventDefault();
    renderCanvas.classList.add('dropping');
  });
  renderCanvas.addEventListener('dragleave', () => renderCanvas.classList.remove('dropping'));
  renderCanvas.addEventListener('drop', (event) => {
    event.preventDefault();
    renderCanvas.classList.remove('dropping');
    loadModelFile(event.dataTransfer.files[0]);
  });
  byId('model-file').addEventListener('change', async (event) => {
    await loadModelFile(event.target.files[0]);
    event.target.value = '';
  });

  // Adds an option to `select` for each named entry of the module's JSON list, its
  // description as the option's tooltip.
  function appendNamedOptions(select, json) {
    for (const entry of JSON.parse(json)) {
      const option = document.createElement('option');
      option.value = entry.name;
      option.textContent = entry.name;
      option.title = entry.description;
      select.append(option);
    }
  }

  function fillPresets() {
    appendNamedOptions(lookSelect, text(M._studio_presets()));
    lookSelect.addEventListener('change', () => {
      if (!lookSelect.value) {  // "custom" is what the parameters are, not a choice
        showLook();
        return;
      }
      const started = performance.now();
      if (withString(lookSelect.value, (pointer) => M._studio_apply_preset(pointer)) !== 1) {
        showPanelError();
        showLook();
        return;
      }
      textDirty = false;
      surfaceError = '';
      showLuminousMap();
      pictureAfterEdit(started);
      paintPanelAgain();
    });
  }

  // ---- Turning the model -------------------------------------------------------------

  // A drag on the render turns the model with the pointer: across around the vertical
  // axis, down and up raising and lowering the camera; the wheel brings it closer. Each
  // move shows a coarse picture at once; the picture is refined once the pointer has
  // rested a moment.
  const degreesPerPixel = 0.5;
  const restMs = 150;
  let cameraDrag = null;        // the pointer's last place while it drags on the render
  let pendingTurn = null;       // the moves not yet shown, and when the first was made
  let restTimer = null;
  let moveTimings = [];         // the last drag's moves: milliseconds to their picture

  function camera() { return JSON.parse(text(M._studio_orbit())); }

  // Moves arriving while a picture renders are taken together, by the next picture.
  function queueTurn(across, down, zoomBy, since) {
    if (pendingTurn === null) {
      pendingTurn = { across: 0, down: 0, zoomBy: 1, since };
      setTimeout(takeTurn, 0);
    }
    pendingTurn.across += across;
    pendingTurn.down += down;
    pendingTurn.zoomBy *= zoomBy;
    resting = false;
    clearTimeout(restTimer);
  }

  function takeTurn() {
    const turn = pendingTurn;
    pendingTurn = null;
    const now = camera();
    M._studio_set_orbit(now.orbit - turn.across * degreesPerPixel,
                        now.elevation + turn.down * degreesPerPixel, now.zoom * turn.zoomBy);
    coarsePicture(turn.since);
    moveTimings.push({ ms: performance.now() - turn.since, pass: M._studio_picture_pass() });
    restTimer = setTimeout(() => {
      resting = true;
      schedule();
    }, restMs);
  }

  renderCanvas.addEventListener('pointerdown', (event) => {
    if (!M || event.button !== 0) return;
    renderCanvas.focus();
    renderCanvas.setPointerCapture(event.pointerId);
    cameraDrag = [event.clientX, event.clientY];
    moveTimings = [];
    event.preventDefault();
  });

  renderCanvas.addEventListener('pointermove', (event) => {
    if (cameraDrag === null) return;
    const [x, y] = cameraDrag;
    cameraDrag = [event.clientX, event.clientY];
    queueTurn(event.clientX - x, event.clientY - y, 1, event.timeStamp);
  });

  const endTurn = () => { cameraDrag = null; };
  renderCanvas.addEventListener('pointerup', endTurn);
  renderCanvas.addEventListener('pointercancel', endTurn);

  renderCanvas.addEventListener('wheel', (event) => {
    if (!M) return;
    event.preventDefault();
    if (resting && pendingTurn === null) moveTimings = [];
    const lines = event.deltaMode === WheelEvent.DOM_DELTA_PIXEL ? event.deltaY / 100 : event.deltaY;
    queueTurn(0, 0, Math.pow(1.15, -lines), event.timeStamp);
  }, { passive: false });

  // From the keyboard: the arrow keys turn the model as a drag of 20 pixels, + and -
  // zoom as a turn of the wheel.
  renderCanvas.addEventListener('keydown', (event) => {
    const turn = { ArrowLeft: [-20, 0, 1], ArrowRight: [20, 0, 1], ArrowUp: [0, -20, 1],
                   ArrowDown: [0, 20, 1], '+': [0, 0, 1.15], '-': [0, 0, 1 / 1.15] }[event.key];
    if (!M || turn === undefined) return;
    if (resting && pendingTurn === null) moveTimings = [];
    queueTurn(turn[0], turn[1], turn[2], event.timeStamp);
    event.preventDefault();
  });

  byId('front-view').addEventListener('click', () => {
    if (!M) return;
    const started = performance.now();
    M._studio_set_orbit(0, 0, 1);
    coarsePicture(started);
    schedule();
  });

  // ---- Holding a picture: the wipe ----------------------------------------------------

  // "Hold" keeps the refined picture as it is; the render then shows the held picture left
  // of the wipe's handle and the live render right of it, and the handle is dragged (or
  // moved with the arrow keys) across the render.
  const wipe = byId('wipe');
  const heldLabel = byId('held-label');
  let held = null;              // the held picture, as ImageData
  let wipeX = Math.round(renderCanvas.width / 2);

  function showRender() {
    if (livePicture === null) return;
    const context = renderCanvas.getContext('2d');
    context.putImageData(livePicture, 0, 0);
    if (held !== null) context.putImageData(held, 0, 0, 0, 0, wipeX, held.height);
  }

  function placeWipe(x) {
    wipeX = Math.max(0, Math.min(renderCanvas.width, Math.round(x)));
    wipe.style.left = wipeX + 'px';
    wipe.setAttribute('aria-valuenow', String(wipeX));
    showRender();
  }

  function showHeld(name) {
    const holding = held !== null;
    wipe.hidden = !holding;
    heldLabel.hidden = !holding;
    byId('live-label').hidden = !holding;
    byId('release').disabled = !holding;
    heldLabel.textContent = 'held: ' + name;
    placeWipe(wipeX);
  }

  function holdPicture() {
    return whenIdle().then(() => {
      held = livePicture;  // a new picture replaces livePicture; this one is never changed
      showHeld(text(M._studio_look()) || 'custom');
    });
  }

  function releasePicture() {
    held = null;
    showHeld('');
  }

  byId('hold').addEventListener('click', () => { if (M) holdPicture(); });
  byId('release').addEventListener('click', releasePicture);

  let wipeDrag = false;
  wipe.addEventListener('pointerdown', (event) => {
    if (event.button !== 0) return;
    wipe.setPointerCapture(event.pointerId);
    wipeDrag = true;
    event.preventDefault();
  });
  wipe.addEventListener('pointermove', (event) => {
    if (wipeDrag) placeWipe(event.clientX - renderCanvas.getBoundingClientRect().left);
  });
  const endWipe = () => { wipeDrag = false; };
  wipe.addEventListener('pointerup', endWipe);
  wipe.addEventListener('pointercancel', endWipe);
  wipe.addEventListener('keydown', (event) => {
    const step = { ArrowLeft: -8, ArrowRight: 8, Home: -Infinity, End: Infinity }[event.key];
    if (step === undefined) return;
    placeWipe(wipeX + step);
    event.preventDefault();
  });

  // ---- The map of luminosity ---------------------------------------------------------

  function showLuminousMap() { mapSelect.value = text(M._studio_luminous_map()); }

  function fillPatterns() {
    appendNamedOptions(mapSelect, text(M._studio_patterns()));
    mapSelect.addEventListener('change', () => {
      const started = performance.now();
      if (withString(mapSelect.value, (pointer) => M._studio_set_luminous_map(pointer)) !== 1) {
        showPanelError();
        showLuminousMap();
        return;
      }
      pictureAfterEdit(started);
    });
  }


  // ---- The refined pass in workers ---------------------------------------------------

  // The refined pass is rendered in bands of interleaved rows by workers, one per core,
  // each with an instance of the module of its own, given the state of this page's: the
  // stored data its parameters were loaded from, the surface inputs and map, the subject and
  // the camera. Each row is the row this page's instance renders for that state, so the
  // picture is the same whoever renders it. A page opened from the file system cannot start
  // a worker from a file: each starts from a Blob of the module's code (the text of
  // pelorix3StudioModuleCode) and of refinedPassWorker below. Without workers, or when one
  // fails, the refined pass is rendered in the page.

  // A worker's whole program: it runs apart from the page, so it uses nothing of this
  // script but its own text and memoryCalls's.
  function refinedPassWorker() {
    let M = null;
    let asked = null;    // the last message from the page: a band to render, or stop
    let band = null;     // the band under way: {job, pixels, y, at}
    let shownSubject = -1;
    let model = null;    // the last model file sent: {version, bytes, name}
    const yielded = new MessageChannel();  // a task of its own after each slice of rows

    const call = (name, ...args) => M['_studio_' + name](...args);
    const { withString, withBytes } = memoryCalls(() => M);
    function check(done, what) {
      if (done !== 1) throw new Error(what + ': ' + M.UTF8ToString(call('error')));
    }

    // The page's state, in an order that each step accepts: the map waits for the subject.
    function takeState(job) {
      if (job.subject.version !== shownSubject) {
        check(withString('', (none) => call('set_luminous_map', none)), 'the map');
        if (job.subject.kind === 'model') {
          if (model === null || model.version !== job.subject.version) throw new Error('no model');
          check(withBytes(model.bytes, (pointer, length) => withString(model.name,
            (name) => call('set_model', pointer, length, name))), 'the model');
        } else {
          check(call('set_subject', job.subject.kind === 'cloth' ? 1 : 0), 'the subject');
        }
        shownSubject = job.subject.version;
      }
      // The picked surface first: picking sets its inputs and block, which the job's follow.
      if (job.pick >= 0) check(call('pick_surface', job.pick), 'the surface');
      check(withString(job.map, (map) => call('set_luminous_map', map)), 'the map');
      for (const [name, value] of Object.entries(job.surface)) {
        check(withString(name, (input) => withString(value,
          (valueText) => call('set_surface_input', input, valueText))), name);
      }
      check(withBytes(job.source, (pointer, length) => call('load', pointer, length, job.mode)),
            'the parameters');
      call('set_orbit', job.orbit.orbit, job.orbit.elevation, job.orbit.zoom);
    }

    function begin(job) {
      try {
        takeState(job);
      } catch (error) {
        postMessage({ type: 'failed', error: error.message });
        return;
      }
      call('start_refined_frame');
      const rows = Math.ceil((job.height - job.first) / job.step);
      band = { job, pixels: new Uint8Array(rows * job.width * 3), y: job.first, at: 0 };
      yielded.port2.postMessage(null);
    }

    // Renders rows for a slice of time, then lets the page's messages in.
    function renderSlice() {
      if (band === null) return;
      if (asked !== band.job) {
        band = null;
        if (asked && asked.type === 'band') begin(asked);
        return;
      }
      const { job, pixels } = band;
      const rowBytes = job.width * 3;
      const until = performance.now() + 25;
      while (band.y < job.height && performance.now() < until) {
        const pointer = call('render_refined_row', band.y);
        pixels.set(M.HEAPU8.subarray(pointer, pointer + rowBytes), band.at);
        band.at += rowBytes;
        band.y += job.step;
      }
      if (band.y < job.height) {
        yielded.port2.postMessage(null);
        return;
      }
      band = null;
      postMessage({ type: 'band', generation: job.generation, first: job.first, pixels },
                  [pixels.buffer]);
    }
    yielded.port1.onmessage = renderSlice;

    self.onmessage = (event) => {
      asked = event.data;
      if (asked.subject && asked.subject.bytes) model = asked.subject;  // sent once
      if (M !== null && band === null && asked.type === 'band') begin(asked);
    };

    createStudioModule().then((module) => {
      M = module;
      check(call('open', 0), 'the studio');
      postMessage({ type: 'ready' });
      if (asked && asked.type === 'band') begin(asked);
    }).catch((error) => postMessage({ type: 'failed', error: String(error.message || error) }));
  }

  const maxWorkers = 16;         // each holds a scene of its own: memory bounds their count
  let workers = [];             // {worker, subjectSent}
  let workersReady = null;      // a promise: every worker runs its module
  let refinedJob = null;        // the refined pass asked of the workers: {generation, bands}
  let refinedBy = 0;            // the workers that rendered the refined pass; 0 the page

  function workerCode() {
    return 'const createStudioModule = (' + pelorix3StudioModuleCode.toString() + ')();\n' +
           memoryCalls.toString() + '\n(' + refinedPassWorker.toString() + ')();\n';
  }

  // Starts `count` workers (none: the page renders the refined pass), ending those before.
  function startWorkers(count) {
    for (const { worker } of workers) worker.terminate();
    workers = [];
    refinedJob = null;
    let url = null;
    try {
      if (count > 0) url = URL.createObjectURL(new Blob([workerCode()], { type: 'text/javascript' }));
      for (let i = 0; i < count; i++) workers.push({ worker: new Worker(url), subjectSent: -1 });
    } catch (error) {
      for (const { worker } of workers) worker.terminate();
      workers = [];
      console.warn('The refined pass stays in the page: ' + error.message);
    }
    workersReady = Promise.all(workers.map((entry) => new Promise((resolve, reject) => {
      entry.worker.onmessage = (event) => {
        if (event.data.type === 'ready') resolve();
        workerMessage(event.data, reject);
      };
      entry.worker.onerror = (event) => {
        event.preventDefault();
        workerMessage({ type: 'failed', error: event.message }, reject);
      };
    })));
    // The workers have read their code once they run; a failure is handled as it comes.
    workersReady.catch(() => {}).finally(() => { if (url !== null) URL.revokeObjectURL(url); });
    if (M) {
      M._studio_set_refined_elsewhere(workers.length > 0 ? 1 : 0);
      schedule();
    }
    return workersReady;
  }

  function workerMessage(message, reject) {
    if (message.type === 'failed') {
      reject(new Error(message.error));
      console.warn('A worker failed (' + message.error + '): the refined pass is rendered in the page.');
      startWorkers(0);
    } else if (message.type === 'band') {
      takeBand(message);
    }
  }

  // The state a worker's instance takes to render this page's picture.
  function workerJob() {
    const source = M._studio_parameter_source();
    return {
      generation: M._studio_picture_generation(),
      source: M.HEAPU8.slice(source, source + M._studio_bytes_size()),
      mode: M._studio_parameter_source_mode(),
      surface: JSON.parse(text(M._studio_surface())),
      map: text(M._studio_luminous_map()),
      pick: surfaces().findIndex((surface) => surface.picked),
      orbit: camera(),
      subject: subjectKind === 'model'
        ? { version: subjectVersion, kind: subjectKind, bytes: model.bytes, name: model.name }
        : { version: subjectVersion, kind: subjectKind },
      width: M._studio_picture_width(),
      height: M._studio_picture_height(),
    };
  }

  function askWorkersForRefined() {
    const generation = M._studio_picture_generation();
    if (refinedJob !== null && refinedJob.generation === generation) return;
    const job = workerJob();
    refinedJob = { generation, bands: new Map() };
    workers.forEach((entry, i) => {
      const subject = Object.assign({}, job.subject);
      if (entry.subjectSent === subject.version) delete subject.bytes;  // it keeps the model
      entry.subjectSent = subject.version;
      entry.worker.postMessage(Object.assign({}, job, { type: 'band', subject, first: i, step: workers.length }));
    });
  }

  // A new picture: the workers drop what they render.
  function stopWorkers() {
    if (refinedJob === null) return;
    refinedJob = null;
    for (const { worker } of workers) worker.postMessage({ type: 'stop' });
  }

  // A worker's band; with the last, the whole refined picture goes to the page's module.
  function takeBand(message) {
    if (refinedJob === null || message.generation !== refinedJob.generation ||
        message.generation !== M._studio_picture_generation()) {
      return;
    }
    refinedJob.bands.set(message.first, message.pixels);
    if (refinedJob.bands.size < workers.length) return;
    const width = M._studio_picture_width();
    const height = M._studio_picture_height();
    const rowBytes = width * 3;
    const picture = new Uint8Array(rowBytes * height);
    for (const [first, pixels] of refinedJob.bands) {
      for (let y = first, at = 0; y < height; y += workers.length, at += rowBytes) {
        picture.set(pixels.subarray(at, at + rowBytes), y * rowBytes);
      }
    }
    refinedJob = null;
    refinedBy = workers.length;
    withBytes(picture, (pointer, length) => M._studio_show_refined(pointer, length));
    pump();
  }

  // ---- Start -------------------------------------------------------------------------

  createStudioModule().then((module) => {
    M = module;
    if (M._studio_open(0) !== 1) throw new Error(text(M._studio_error()));
    paintPanel();
    fillPresets();
    fillPatterns();
    showParameters();
    startWorkers(Math.min(navigator.hardwareConcurrency || 1, maxWorkers));
    pictureAfterEdit(performance.now());
    resolveReady();
  }).catch((error) => {
    renderStatus.textContent = 'The studio could not start: ' + error.message;
    rejectReady(error);
  });

  function whenIdle() {
    return ready.then(() => new Promise((resolve) => {
      if (M._studio_render_finished() === 1) {
        paintPicture();
        resolve();
      } else {
        idleWaiters.push(resolve);
        schedule();
      }
    }));
  }

  window.pelorix3 = {
    // Resolves once the module runs and the panel is painted.
    ready,
    // The five parameters the instance holds, through its save entry (six decimals).
    parameters: () => parameters(),
    // The stored block in text form, one value a line, as a scene file keeps it.
    storedText: () => currentStoredText(),
    // Loads a stored block in text form through the module's load entry, as the Load
    // button does; resolves with {ok: true} or {ok: false, error}.
    loadStoredText: (value) => ready.then(() => loadStoredText(value)),
    // Renders finished to the refined pass since the page opened.
    renderCount: () => (M ? M._studio_render_count() : 0),
    // Resolves when the picture of the current parameters is refined.
    idle: () => whenIdle(),
    // Milliseconds from the start of the last edit to its first picture and to its
    // refined picture, and of the refined pass alone (from the full-size picture), with
    // the number of workers that rendered it (0: the page); null until there.
    timings: () => Object.assign({}, lastTimings),
    // The camera's turn about the subject: {orbit, elevation, zoom}, degrees around and
    // raised from the framing, and the zoom, as held within their limits.
    camera: () => camera(),
    // For each pointer move (or wheel turn) of the last drag on the render that brought a
    // picture: {ms, pass}, milliseconds from the move to its picture and the pass shown.
    moveTimings: () => moveTimings.map((timing) => Object.assign({}, timing)),
    // Holds the refined picture (a promise), and lets it go.
    hold: () => ready.then(holdPicture),
    release: () => releasePicture(),
    // The built-in pattern that maps the surface's luminosity, or '' for none.
    luminousMap: () => (M ? text(M._studio_luminous_map()) : ''),
    // Makes the model of a file's bytes (an object file or OBJ text) the subject, as a file
    // dropped on the render does; resolves with {ok: true, warnings} or {ok: false, error}.
    loadModel: (bytes, name) => ready.then(() => loadModel(Uint8Array.from(bytes), name)),
    // The surface inputs as text: {color: 'R,G,B', diffuse, specular, luminous, roughness}.
    surface: () => JSON.parse(text(M._studio_surface())),
    // Sets one of them from text, as its field does; resolves with {ok: true} or
    // {ok: false, error}.
    setSurfaceInput: (name, value) => ready.then(() => setSurfaceInput(name, String(value))),
    // Takes the look of a zip file's bytes, as opening the file does; resolves with
    // {ok: true} or {ok: false, error}.
    loadLook: (bytes, name) => ready.then(() => loadLook(Uint8Array.from(bytes), name)),
    // The surfaces of the object file shown: [{name, module, picked}], module whether the
    // file runs pelorix3 on it; [] for other subjects.
    surfaces: () => surfaces(),
    // Picks the surface at `index` for the panel and surface inputs, as a click on it does;
    // resolves with {ok: true} or {ok: false, error}.
    pickSurface: (index) => ready.then(() => pickSurface(index)),
    // The object file with the look in the picked surface, as its download has it:
    // {ok: true, name, bytes: [...]}, or {ok: false, error}.
    objectFile: () => ready.then(() => {
      const written = objectFile();
      return written.ok ? Object.assign(written, { bytes: Array.from(written.bytes) }) : written;
    }),
    // How many workers render the refined pass (0: the page does).
    workers: () => workers.length,
    // Renders the refined pass with `count` workers from now on (0: in the page); resolves
    // once they all run.
    setWorkers: (count) => ready.then(() => startWorkers(count)),
  };
})();
