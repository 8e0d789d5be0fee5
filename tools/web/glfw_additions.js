// glfw_additions.js - GLFW 3.3 calls the game makes that emscripten 3.1.6's
// GLFW lacks. The content scale is the page's device pixel ratio, the work
// area the page, and the content scale never changes while a page lives.
mergeInto(LibraryManager.library, {
  glfwGetWindowContentScale: function (winid, x, y) {
    var ratio = window.devicePixelRatio || 1;
    if (x) HEAPF32[x >> 2] = ratio;
    if (y) HEAPF32[y >> 2] = ratio;
  },
  glfwGetMonitorWorkarea: function (monitor, x, y, width, height) {
    if (x) HEAP32[x >> 2] = 0;
    if (y) HEAP32[y >> 2] = 0;
    if (width) HEAP32[width >> 2] = innerWidth;
    if (height) HEAP32[height >> 2] = innerHeight;
  },
  glfwSetWindowContentScaleCallback: function (winid, callback) {
    return 0;
  },
});
