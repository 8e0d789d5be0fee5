// platform_web.js - the page's side of platform_web.cpp, run before main.
//  - "/save" is mounted on the page's IndexedDB and filled from it before
//    main starts; without storage (private mode, blocked) the game plays on
//    and keeps nothing.
//  - The window library's canvas resize takes the size it is given (its own
//    would put the screen's size in page pixels in full screen).
//  - A touch is a press where the finger lands and a release where it
//    leaves, as the mouse gives them: the window library reads no touch
//    positions itself.
//  - A hidden tab, or a page being left, is a minimised window (which also
//    saves the progress).
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  FS.mkdir("/save");
  try {
    FS.mount(IDBFS, {}, "/save");
  } catch (e) {
    return;
  }
  addRunDependency("save");
  FS.syncfs(true, function () {
    removeRunDependency("save");
  });
});

Module.preRun.push(function () {
  GLFW.onCanvasResize = function (width, height) {
    var win = GLFW.active;
    if (!win || (win.width == width && win.height == height)) return;
    win.width = width;
    win.height = height;
    GLFW.onWindowSizeChanged();
    GLFW.onFramebufferSizeChanged();
  };

  var asMouse = function (type) {
    return function (event) {
      var canvas = Module.canvas;
      if (event.target != canvas || !event.changedTouches.length) return;
      var touch = event.changedTouches[0];
      event.preventDefault();
      event.stopPropagation();
      canvas.dispatchEvent(new MouseEvent(type, {
        clientX: touch.clientX, clientY: touch.clientY, button: 0, bubbles: true
      }));
    };
  };
  var options = {capture: true, passive: false};
  window.addEventListener("touchstart", asMouse("mousedown"), options);
  window.addEventListener("touchend", asMouse("mouseup"), options);
  window.addEventListener("touchcancel", asMouse("mouseup"), options);

  var iconify = function (hidden) {
    var win = GLFW.active;
    if (win && win.windowIconifyFunc) wasmTable.get(win.windowIconifyFunc)(win.id, hidden);
  };
  document.addEventListener("visibilitychange", function () {
    iconify(document.hidden ? 1 : 0);
  });
  window.addEventListener("pagehide", function () {
    iconify(1);
  });
});
