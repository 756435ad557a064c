#include "surfaces/SdlSurface.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstring>

#include "surfaces/SdlVideoThread.h"

namespace qv {

namespace {

constexpr int kFontPoints = 40;

}  // namespace

SdlSurface::SdlSurface(SdlVideoThread& video, std::uintptr_t nativeWindow, int frameWidth,
                       int frameHeight, Kind kind, std::filesystem::path font)
    : video_(video),
      nativeWindow_(nativeWindow),
      frameWidth_(std::max(2, frameWidth & ~1)),
      frameHeight_(std::max(2, frameHeight & ~1)),
      kind_(kind),
      fontPath_(std::move(font)),
      source_{0, 0, frameWidth_, frameHeight_} {
  frame_.resize(static_cast<std::size_t>(frameWidth_) * frameHeight_ * 3 / 2);
  upload_.resize(frame_.size());
  video_.Run([this] { EnsureObjects(); });
}

SdlSurface::~SdlSurface() {
  video_.Run([this] { DestroyObjects(); });
}

bool SdlSurface::ready() const {
  std::lock_guard lock(mutex_);
  return ready_;
}

void SdlSurface::SetSource(const Rect& source) {
  std::lock_guard lock(mutex_);
  source_ = source;
}

void SdlSurface::SetLabel(const std::string& label) {
  std::lock_guard lock(mutex_);
  label_ = label;
}

void SdlSurface::SetShown(bool shown) {
  std::lock_guard lock(mutex_);
  shown_ = shown;
}

void SdlSurface::Placed(int width, int height) {
  std::lock_guard lock(mutex_);
  windowWidth_ = width;
  windowHeight_ = height;
}

void SdlSurface::RenderPicture(const Picture& picture) {
  // A picture of another size is never copied beyond its planes: it is skipped.
  if (picture.width != frameWidth_ || picture.height != frameHeight_) return;
  std::lock_guard lock(mutex_);
  if (!shown_) return;
  uint8_t* out = frame_.data();
  for (int row = 0; row < frameHeight_; ++row, out += frameWidth_) {
    std::memcpy(out, picture.y + static_cast<std::ptrdiff_t>(row) * picture.yPitch, frameWidth_);
  }
  const int cw = frameWidth_ / 2, ch = frameHeight_ / 2;
  for (const uint8_t* plane : {picture.u, picture.v}) {
    for (int row = 0; row < ch; ++row, out += cw) {
      std::memcpy(out, plane + static_cast<std::ptrdiff_t>(row) * picture.uvPitch, cw);
    }
  }
  framePending_ = true;
  if (presentQueued_) return;  // the queued present takes this picture too
  presentQueued_ = true;
  video_.Post([this] { Present(); });
}

bool SdlSurface::EnsureObjects() {
  if (renderer_ && texture_) return true;
  if (!video_.available() || nativeWindow_ == 0) return false;
  window_ = SDL_CreateWindowFrom(reinterpret_cast<const void*>(nativeWindow_));
  if (!window_) return false;
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) return false;
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_IYUV, SDL_TEXTUREACCESS_STREAMING,
                               frameWidth_, frameHeight_);
  if (!texture_) return false;
  if (kind_ == Kind::Cell && !fontPath_.empty()) {
    font_ = TTF_OpenFont(fontPath_.string().c_str(), kFontPoints);  // missing: no overlay
  }
  std::lock_guard lock(mutex_);
  ready_ = true;
  return true;
}

void SdlSurface::FollowWindowSize() {
  // The library only reads a foreign window's size when it takes the window
  // over; resizing through it would also move the window to where it
  // believes it is. So a window the toolkit resized is taken over afresh.
  if (!window_) return;
  int wantedW = 0, wantedH = 0;
  {
    std::lock_guard lock(mutex_);
    wantedW = windowWidth_;
    wantedH = windowHeight_;
  }
  int w = 0, h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  if (wantedW > 0 && wantedH > 0 && (w != wantedW || h != wantedH)) DestroyObjects();
}

void SdlSurface::DestroyObjects() {
  if (font_) TTF_CloseFont(font_);
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  font_ = nullptr;
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
}

void SdlSurface::Present() {
  Rect source;
  {
    std::lock_guard lock(mutex_);
    presentQueued_ = false;
    if (!framePending_ || !shown_) return;
    framePending_ = false;
    // The next picture overwrites the whole buffer, so the two swap roles.
    std::swap(upload_, frame_);
    source = source_;
  }
  FollowWindowSize();
  if (!EnsureObjects()) return;
  const int w = frameWidth_, h = frameHeight_;
  const uint8_t* y = upload_.data();
  const uint8_t* u = y + static_cast<std::size_t>(w) * h;
  const uint8_t* v = u + static_cast<std::size_t>(w / 2) * (h / 2);
  SDL_UpdateYUVTexture(texture_, nullptr, y, w, u, w / 2, v, w / 2);
  ScaleToWindow();
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  const SDL_Rect src{source.left, source.top, source.Width(), source.Height()};
  const SDL_Rect dst{0, 0, w, h};
  SDL_RenderCopy(renderer_, texture_, src.w > 0 && src.h > 0 ? &src : nullptr, &dst);
  if (kind_ == Kind::Cell) DrawLabel(255, 0, 0);
  SDL_RenderPresent(renderer_);
}

void SdlSurface::ScaleToWindow() {
  // Everything is drawn in frame pixels and scaled to the window, whatever
  // size the canvas gives it.
  int windowW = 0, windowH = 0;
  SDL_GetRendererOutputSize(renderer_, &windowW, &windowH);
  SDL_RenderSetScale(renderer_, windowW / static_cast<float>(frameWidth_),
                     windowH / static_cast<float>(frameHeight_));
}

void SdlSurface::DrawLabel(uint8_t r, uint8_t g, uint8_t b) {
  std::string label;
  {
    std::lock_guard lock(mutex_);
    label = label_;
  }
  if (!font_ || label.empty()) return;
  SDL_Surface* text = TTF_RenderUTF8_Blended(font_, label.c_str(), SDL_Color{r, g, b, 255});
  if (!text) return;
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, text);
  if (texture) {
    const SDL_Rect at{0, 0, text->w, text->h};
    SDL_RenderCopy(renderer_, texture, nullptr, &at);
    SDL_DestroyTexture(texture);
  }
  SDL_FreeSurface(text);
}

void SdlSurface::ShowPlaceholder(bool selected) {
  video_.Post([this, selected] {
    FollowWindowSize();
    if (!EnsureObjects()) return;
    ScaleToWindow();
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    DrawLabel(255, 255, 255);
    SDL_SetRenderDrawColor(renderer_, selected ? 255 : 0, 0, 0, 255);
    const SDL_Rect outer{0, 0, 350, 238};
    const SDL_Rect inner{1, 1, 348, 236};
    SDL_RenderDrawRect(renderer_, &outer);
    SDL_RenderDrawRect(renderer_, &inner);
    SDL_RenderPresent(renderer_);
  });
}

}  // namespace qv
