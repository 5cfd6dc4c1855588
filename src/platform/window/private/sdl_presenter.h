// Shows slot 0 through the device palette, letterboxed into the window's real size and scaled by the
// reader's filter. Only the part of the screen that changed is converted and uploaded (made the sharp
// filter's whole multiple larger on the way); with SDL's software renderer, which draws straight into
// the window's own pixels, only that part of the window is drawn again.
#pragma once
#include "platform/window/letterbox.h"
#include "platform/window/overlay.h"
#include "platform/window/shown_screen.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

class SdlPresenter {
public:
    SdlPresenter() = default;
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    // False, with SDL's error set, when the window cannot be drawn in.
    bool open(SDL_Window* window);
    // Before the window goes.
    void close();
    // A screen without pixels is the display closed: the window keeps the last picture it showed
    // (having shown the latest first), under whatever the overlay still draws.
    void setSource(const ScreenSource& source);
    const ScreenSource& source() const { return source_; }
    // How the picture is scaled into the window; taken at once when the window is open.
    void setScaling(ScaleFilter filter, bool integer);
    // What the window draws of its own over the picture; shown with the next present.
    Overlay& overlay() { return overlay_; }
    // The window was resized, exposed or switched between full screen and a window.
    void redrawAll();
    // Shows the screen if it, the overlay or the window changed since it was last shown.
    void presentIfChanged();
    // The picture pixel under a window position given in SDL's window coordinates.
    void toScreen(int windowX, int windowY, int& x, int& y) const;

private:
    void measureWindow();
    void makeTexture();
    void upload(const PixelRect& area);
    void draw(const PixelRect& changed);
    void copy(PixelRect source);
    void copyBlended(const PixelRect& changed);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureScale_ = 0;       // the texture is this many times the screen's size
    bool textureFresh_ = false;  // and holds nothing of the screen yet
    bool drawsInPlace_ = false;
    bool wholeWindow_ = true;
    ScaleFilter filter_ = ScaleFilter::Sharp;
    bool integer_ = false;
    int pointsWide_ = kScreenWidth;  // the window's width in SDL's window coordinates
    int pixelsWide_ = kScreenWidth;  // and in output pixels
    Letterbox letterbox_{kScreenWidth, kScreenHeight, filter_, integer_};
    ScreenSource source_;
    ShownScreen shown_;
    Overlay overlay_;
};
