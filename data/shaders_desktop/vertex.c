#version 330 core
// Vertex stage of the game's only program. Positions are logical pixels;
// the model matrix places a primitive, the projection maps the window.

layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texcoord;

uniform mat4 projection_matrix;
uniform mat4 model_matrix;

out vec2 uv;

void main() {
    uv = texcoord;
    gl_Position = projection_matrix * model_matrix * vec4(position, 1.0);
}
