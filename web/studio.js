// The studio page's script: hands the person's clicks, drags and keys on the panel canvas to
// the stand-in host's panel services in the WebAssembly module, paints what the host's
// painter made of the panel, keeps the picture rendering after each edit (coarse first,
// then refined), offers the stored block, the named looks and a map of luminosity, turns
// the model under the pointer, holds a picture to compare with the live render across a
// wipe, and shows the look on a model file dropped on the render (read in the module, by
// its content). It never writes the shader's parameters itself: every edit goes through
// the module's panel code or its load entry. window.pelorix3 is the page's small API, for
// tests and for embedding
// (docs/studio.md).
(function () {
  'use strict';

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

  let M = null;                 // the WebAssembly module once it runs
  let shownVersion = -1;        // the picture version last painted
  let scheduled = false;
  let textDirty = false;        // the person edits the text box: leave it alone
  let editStart = null;         // when the last edit began (performance.now())
  let lastTimings = { firstPictureMs: null, refinedMs: null };
  let idleWaiters = [];
  let pendingMove = null;
  let resting = true;           // the camera is still: the picture may be refined
  let livePicture = null;       // the last picture rendered, as ImageData
  let model = null;             // the model last shown: {bytes, name}

  let resolveReady;
  let rejectReady;
  const ready = new Promise((resolve, reject) => {
    resolveReady = resolve;
    rejectReady = reject;
  });

  // ---- Calling into the module -----------------------------------------------------

  function text(pointer) { return M.UTF8ToString(pointer); }

  function withString(value, call) {
    const size = M.lengthBytesUTF8(value) + 1;
    const pointer = M._malloc(size);
    try {
      M.stringToUTF8(value, pointer, size);
      return call(pointer, size - 1);
    } finally {
      M._free(pointer);
    }
  }

  function withBytes(bytes, call) {
    const pointer = M._malloc(Math.max(1, bytes.length));
    try {
      M.HEAPU8.set(bytes, pointer);
      return call(pointer, bytes.length);
    } finally {
      M._free(pointer);
    }
  }

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
    showLook();
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
    const more = M._studio_render_step(12) === 1;
    paintPicture();
    if (more) {
      schedule();
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
    lastTimings = { firstPictureMs: null, refinedMs: null };
    const before = M._studio_picture_version();
    while (M._studio_picture_version() === before && M._studio_render_step(100) === 1) { /* coarse pass */ }
    paintPicture();
    lastTimings.firstPictureMs = performance.now() - started;
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

  // ---- The stored block --------------------------------------------------------------

  function showLoadResult(result) {
    storedMessage.classList.toggle('error', !result.ok);
    storedMessage.textContent = result.ok
      ? 'Loaded through the module\'s load entry.'
      : result.error + '. Nothing was loaded: the parameters are unchanged.';
  }

  // mode: 0 binary, 1 text, 2 either by content.
  function loadBlock(bytes, mode) {
    const started = performance.now();
    const loaded = withBytes(bytes, (pointer, length) => M._studio_load(pointer, length, mode)) === 1;
    const result = loaded ? { ok: true } : { ok: false, error: text(M._studio_error()) };
    showLoadResult(result);
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
    const bytes = M.HEAPU8.slice(pointer, pointer + M._studio_stored_binary_size());
    download('pelorix3-parameters.bin', bytes, 'application/octet-stream');
  });
  // Saves the picture of the current parameters once it is refined, as the canvas shows it.
  function savePicture() {
    whenIdle().then(() => {
      renderCanvas.toBlob((blob) => download('pelorix3-render.png', blob, 'image/png'), 'image/png');
    });
  }
  byId('save-picture').addEventListener('click', () => { if (M) savePicture(); });

  byId('upload').addEventListener('change', async (event) => {
    const file = event.target.files[0];
    if (!file) return;
    const bytes = new Uint8Array(await file.arrayBuffer());
    loadBlock(bytes, 2);
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
      modelMessage.textContent = '';
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
    modelOption.hidden = false;
    modelOption.textContent = 'Model: ' + name;
    subjectSelect.value = 'model';
    const warnings = JSON.parse(text(M._studio_model_warnings()));
    modelMessage.classList.remove('error');
    modelMessage.textContent = warningLines(warnings);
    pictureAfterEdit(started);
    return { ok: true, warnings };
  }

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

  // ---- Start -------------------------------------------------------------------------

  createStudioModule().then((module) => {
    M = module;
    if (M._studio_open(0) !== 1) throw new Error(text(M._studio_error()));
    paintPanel();
    fillPresets();
    fillPatterns();
    showParameters();
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
    // refined picture (null until there).
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
  };
})();
