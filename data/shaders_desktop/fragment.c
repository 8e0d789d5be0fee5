#version 330 core
// Fragment stage: flat colour when no_texture is 1, otherwise the texture
// on unit 0 tinted by color and alpha (font atlases sample as white with
// the coverage in alpha).

in vec2 uv;

uniform sampler2D image;
uniform vec3 color;
uniform float alpha;
uniform int no_texture;

out vec4 out_color;

void main() {
    if (no_texture == 1) {
        out_color = vec4(color, alpha);
    } else {
        out_color = texture(image, uv) * vec4(color, alpha);
    }
}
