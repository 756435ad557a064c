#pragma once
// A video surface on a native child window: the rendering library's window
// made from it, a renderer and a planar YUV texture of the preview frame
// size. Pictures arrive on the preview render thread and are copied into the
// surface; the video thread uploads and presents them, scaled to the window,
// with the cell's label drawn over them in red.

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "canvas/Rect.h"
#include "video/PictureRenderer.h"

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;
typedef struct _TTF_Font TTF_Font;

namespace qv {

class SdlVideoThread;

class SdlSurface final : public PictureRenderer {
 public:
  enum class Kind { Cell, Quadrant };

  // `nativeWindow` must outlive the surface. `font` empty: no overlay.
  SdlSurface(SdlVideoThread& video, std::uintptr_t nativeWindow, int frameWidth, int frameHeight,
             Kind kind, std::filesystem::path font);
  // Waits until the video thread has let go of the window.
  ~SdlSurface() override;

  // User-interface thread.
  void SetSource(const Rect& source);
  void SetLabel(const std::string& label);
  // A hidden surface draws nothing, even while pictures arrive.
  void SetShown(bool shown);
  // The native window now has this size.
  void Placed(int width, int height);
  // No video yet: black, the label in white and a frame (red when selected).
  void ShowPlaceholder(bool selected);

  // Preview render thread.
  void RenderPicture(const Picture& picture) override;

  bool ready() const;  // the library made renderer and texture

 private:
  // Video thread only.
  bool EnsureObjects();
  void DestroyObjects();
  void Present();
  void ScaleToWindow();
  void FollowWindowSize();
  void DrawLabel(uint8_t r, uint8_t g, uint8_t b);

  SdlVideoThread& video_;
  const std::uintptr_t nativeWindow_;
  const int frameWidth_;
  const int frameHeight_;
  const Kind kind_;
  const std::filesystem::path fontPath_;

  mutable std::mutex mutex_;
  // Guarded by mutex_: what the threads hand each other.
  std::vector<uint8_t> frame_;  // Y, then U, then V, tightly packed
  bool framePending_ = false;
  bool presentQueued_ = false;
  Rect source_;
  std::string label_;
  bool shown_ = true;
  int windowWidth_ = 0;
  int windowHeight_ = 0;
  bool ready_ = false;

  // Video thread only.
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  TTF_Font* font_ = nullptr;
  // The picture being presented; swapped with frame_ under mutex_.
  std::vector<uint8_t> upload_;
};

}  // namespace qv
