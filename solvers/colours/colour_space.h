#pragma once
// Colour arithmetic for the colour resolution: 8-bit sRGB to linear light, linear light
// to CIELAB (D65 white), and the CIEDE2000 difference between two CIELAB colours.
namespace velmora::colours {

struct Linear {
    float r = 0, g = 0, b = 0;
};

struct Lab {
    float l = 0, a = 0, b = 0;
};

// One sRGB channel (0-255, clamped; NaN counts as 0) to linear light 0-1.
float LinearFromSrgb(float channel);
// Linear light (any scale; 1 is the white of the D65 reference) to CIELAB.
Lab LabFromLinear(const Linear& c);
// CIEDE2000 with the lightness weight kL (1 is the standard; 2 halves the weight of a
// lightness difference, as for textiles, so shading across a face counts less).
float DeltaE2000(const Lab& x, const Lab& y, float kL);

}  // namespace velmora::colours
