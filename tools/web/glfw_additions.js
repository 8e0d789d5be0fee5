// glfw_additions.js - GLFW 3.3 calls the game makes that emscripten 3.1.6's
// GLFW lacks. The content scale is the page's device pixel ratio.
mergeInto(LibraryManager.library, {
  glfwGetWindowContentScale: function (winid, x, y) {
    var ratio = window.devicePixelRatio || 1;
    if (x) HEAPF32[x >> 2] = ratio;
    if (y) HEAPF32[y >> 2] = ratio;
  },
});
