/* glfw_additions.h - forced into every web compile: the GLFW 3.3 calls the
 * game makes that emscripten 3.1.6's GLFW 3.2 header lacks. Their bodies
 * are in tools/web/glfw_additions.js. */
#ifndef GAME_WEB_GLFW_ADDITIONS_H
#define GAME_WEB_GLFW_ADDITIONS_H
#ifdef __cplusplus
extern "C" {
#endif
struct GLFWwindow;
struct GLFWmonitor;
void glfwGetWindowContentScale(struct GLFWwindow* window, float* x, float* y);
void glfwGetMonitorWorkarea(struct GLFWmonitor* monitor, int* x, int* y, int* width, int* height);
typedef void (*GLFWwindowcontentscalefun)(struct GLFWwindow* window, float x, float y);
GLFWwindowcontentscalefun glfwSetWindowContentScaleCallback(struct GLFWwindow* window,
                                                            GLFWwindowcontentscalefun callback);
#ifdef __cplusplus
}
#endif
#endif
