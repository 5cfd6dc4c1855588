#include "platform/window/private/sdl_presenter.h"

#include <SDL.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// SDL's OpenGL renderer would load Mesa's software GL where there is no GPU: some 60 MB for a
// 640×480 picture that the software renderer scales in a few milliseconds. SDL_RENDER_DRIVER and
// SDL_FRAMEBUFFER_ACCELERATION still choose otherwise.
const char kDefaultRenderer[] = "software";
const PixelRect kWholeScreen = {0, 0, kScreenWidth, kScreenHeight};
// A blended window pixel mixes the two picture pixels nearest its centre: a change reaches the window
// pixels of the picture pixel around it.
const int kBlendMargin = 1;
// SDL blends the window pixels at the edges of a part drawn alone with nothing beyond the part: the
// part is drawn with this much more around it, and those window pixels are left out.
const int kEdgeMargin = 2;
// A larger part is drawn as the whole picture, which costs little more and needs no texture of its
// own: the memory of textures as large as the window stays with the process once freed.
const int kLargestPart = kScreenWidth * kScreenHeight / 16;

SDL_Rect toSdl(const PixelRect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

PixelRect scaled(const PixelRect& rect, int scale) {
    return {rect.x * scale, rect.y * scale, rect.width * scale, rect.height * scale};
}

}  // namespace

void SdlPresenter::close() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
}

bool SdlPresenter::open(SDL_Window* window) {
    window_ = window;
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, kDefaultRenderer, SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    renderer_ = SDL_CreateRenderer(window, -1, 0);
    if (!renderer_) return false;
    // The software renderer draws into the window's own pixels, which keep what was drawn last; the
    // others draw into a back buffer that is undefined after each present.
    SDL_RendererInfo info;
    drawsInPlace_ = SDL_GetRendererInfo(renderer_, &info) == 0 && std::strcmp(info.name, "software") == 0;
    redrawAll();
    return texture_ != nullptr;
}

void SdlPresenter::setScaling(ScaleFilter filter, bool integer) {
    filter_ = filter;
    integer_ = integer;
    if (renderer_) redrawAll();
}

void SdlPresenter::setSource(const ScreenSource& source) {
    if (!source.pixels) {
        presentIfChanged();
        source_ = source;
        return;
    }
    source_ = source;
    shown_.forget();
}

void SdlPresenter::redrawAll() {
    measureWindow();
    wholeWindow_ = true;
}

// Asked again at every change of the window rather than once for all: a full-screen window is not
// always the size of the screen.
void SdlPresenter::measureWindow() {
    int pixelsHigh = 0, pointsHigh = 0;
    SDL_GetRendererOutputSize(renderer_, &pixelsWide_, &pixelsHigh);
    SDL_GetWindowSize(window_, &pointsWide_, &pointsHigh);
    letterbox_ = Letterbox(pixelsWide_, pixelsHigh, filter_, integer_);
    if (textureScale_ != letterbox_.prescale()) makeTexture();
    SDL_SetTextureScaleMode(texture_,
                            filter_ == ScaleFilter::Nearest ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
}

// Made again whenever the sharp filter's multiple changes: at 4K it is a 2560×1920 picture.
void SdlPresenter::makeTexture() {
    if (texture_) SDL_DestroyTexture(texture_);
    textureScale_ = letterbox_.prescale();
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 textureScale_ * kScreenWidth, textureScale_ * kScreenHeight);
    textureFresh_ = true;
}

// Where SDL counts the window in points rather than pixels, its mouse positions are scaled first.
void SdlPresenter::toScreen(int windowX, int windowY, int& x, int& y) const {
    int wide = pointsWide_ > 0 ? pointsWide_ : 1;
    letterbox_.toScreen(windowX * pixelsWide_ / wide, windowY * pixelsWide_ / wide, x, y);
}

void SdlPresenter::presentIfChanged() {
    PixelRect changed = unite(shown_.takeChanges(source_), overlay_.takeChanges());
    if (changed.empty() && !wholeWindow_) return;
    if (textureFresh_) changed = kWholeScreen;
    if (!changed.empty() && shown_.known()) {
        upload(changed);
        textureFresh_ = false;
    }
    draw(changed);
    wholeWindow_ = false;
}

// From the copy of the screen as shown, which is the screen itself once its changes are taken, and
// which stays when the display closes. Each row is converted at the screen's size first, then spread
// over the texture's multiple of it.
void SdlPresenter::upload(const PixelRect& area) {
    uint32_t colours[256];
    for (int i = 0; i < 256; ++i) {
        const uint8_t* c = shown_.palette() + i * 4;
        colours[i] = static_cast<uint32_t>(c[0]) << 16 | static_cast<uint32_t>(c[1]) << 8 | c[2];
    }
    const int scale = textureScale_;
    SDL_Rect rect = toSdl(scaled(area, scale));
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_, &rect, &pixels, &pitch) != 0) return;
    for (int y = 0; y < area.height; ++y) {
        const uint8_t* row = shown_.pixels() + static_cast<ptrdiff_t>(area.y + y) * kScreenWidth + area.x;
        auto* first = static_cast<uint8_t*>(pixels) + static_cast<ptrdiff_t>(y) * scale * pitch;
        auto* out = reinterpret_cast<uint32_t*>(first);
        for (int x = 0; x < area.width; ++x)
            out[x] = colours[row[x]];
        overlay_.composeRow(area.y + y, area.x, area.width, out);
        // From the right, so that no pixel is overwritten before it is spread.
        for (int x = area.width - 1; x >= 0 && scale > 1; --x)
            std::fill_n(out + x * scale, scale, out[x]);
        for (int copy = 1; copy < scale; ++copy)
            std::memcpy(first + static_cast<ptrdiff_t>(copy) * pitch, first, sizeof(uint32_t) * rect.w);
    }
    SDL_UnlockTexture(texture_);
}

void SdlPresenter::draw(const PixelRect& changed) {
    if (wholeWindow_ || !drawsInPlace_) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        if (shown_.known()) copy(kWholeScreen);
    } else if (letterbox_.blends()) {
        copyBlended(changed);
    } else {
        copy(changed);
    }
    SDL_RenderPresent(renderer_);
}

void SdlPresenter::copy(PixelRect source) {
    SDL_Rect drawn = toSdl(letterbox_.widenToWholePixels(source, 0));
    SDL_Rect from = toSdl(scaled(source, textureScale_));
    SDL_RenderCopy(renderer_, texture_, &from, &drawn);
}

// The part is drawn with a wider margin into a texture of its own, and only the window pixels that
// the change and the picture pixels around it decide go to the window: the same pixels as the whole
// picture drawn again, but for SDL's rounding of where each one falls.
void SdlPresenter::copyBlended(const PixelRect& changed) {
    PixelRect inner = changed;
    PixelRect shown = letterbox_.widenToWholePixels(inner, kBlendMargin);
    PixelRect outer = inner;  // widened from whole window pixels, so always by one step at least
    PixelRect drawn = letterbox_.widenToWholePixels(outer, kEdgeMargin);
    SDL_Texture* part = outer.width * outer.height > kLargestPart
                            ? nullptr
                            : SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET,
                                                drawn.width, drawn.height);
    if (!part || SDL_SetRenderTarget(renderer_, part) != 0) {
        if (part) SDL_DestroyTexture(part);
        copy(kWholeScreen);
        return;
    }
    SDL_Rect from = toSdl(scaled(outer, textureScale_));
    SDL_Rect all = {0, 0, drawn.width, drawn.height};
    SDL_RenderCopy(renderer_, texture_, &from, &all);
    SDL_SetRenderTarget(renderer_, nullptr);
    SDL_Rect inside = {shown.x - drawn.x, shown.y - drawn.y, shown.width, shown.height};
    SDL_Rect to = toSdl(shown);
    SDL_RenderCopy(renderer_, part, &inside, &to);
    SDL_DestroyTexture(part);
}
