// The camera's zoom factor as angles of view. The zoom factor measures the frame's height:
// tan(vertical / 2) = 1 / zoom, and the horizontal angle follows from the frame's width
// in the same units, tan(horizontal / 2) = (width × pixelAspect / height) / zoom, the
// pixel aspect being a pixel's width over its height. So zoom 3.2 sees 34.71 degrees
// high and, on a 4:3 frame of square pixels, 45.24 degrees wide.
#ifndef PELORIX3_HOST_CAMERA_LENS_H
#define PELORIX3_HOST_CAMERA_LENS_H

namespace standin {

struct FieldOfView {
    double horizontal = 0.0;  // radians
    double vertical = 0.0;
};

// Both angles are 0 for a zoom factor that is not a positive number; the horizontal one
// also for a frame without width or height, or a pixel aspect that is not positive.
FieldOfView fieldOfView(double zoomFactor, int width, int height, double pixelAspect);

// The focal length in millimetres that the zoom factor gives on a film 15 mm high, half
// the film's height per unit of zoom: the renderer's 3.2 is 24 mm.
double focalLength(double zoomFactor);

}  // namespace standin

#endif
