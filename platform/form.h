// The form: a top-level window whose position and size are measured in twips, and the event
// routing that a concrete form binds to its handlers.
#pragma once

#include "platform/controls.h"
#include "platform/host.h"
#include "platform/types.h"

namespace forms {

enum class MouseAction { kDown, kMove, kUp };

class Form {
 public:
  explicit Form(Runtime& runtime);
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Position and size in twips; the window itself moves in whole pixels. Left and Top are
  // where the window is now, also after the user or the window manager moved it.
  Single Left() const;
  Single Top() const;
  Single Width() const;
  Single Height() const;
  void SetLeft(Single twips);
  void SetTop(Single twips);
  void SetWidth(Single twips);
  void SetHeight(Single twips);
  Long hWnd() const;

  // Shows `menu` at the pointer; the chosen item's click runs before this returns.
  void PopupMenu(Menu& menu);

  // --- Event routing, bound by the concrete form.
  virtual void OnLoad() = 0;
  virtual void OnUnload(Integer& cancel) = 0;
  virtual void OnTimer(const Timer& timer) = 0;
  virtual void OnLabelClick(const Label& label) = 0;
  virtual void OnMenuClick(const MenuItem& item) = 0;
  virtual void OnMouse(MouseAction action, Integer button, Integer shift, Single x, Single y) = 0;

  // --- What the runtime shows and hit-tests: the visible surface and the label on it.
  virtual PictureBox& VisibleSurface() = 0;
  virtual Label& SurfaceLabel() = 0;

  // Window rectangle in pixels, as the host shows it.
  int left_px() const { return LiveOrigin().x; }
  int top_px() const { return LiveOrigin().y; }
  int width_px() const { return width_px_; }
  int height_px() const { return height_px_; }

 protected:
  Runtime& runtime() { return runtime_; }
  // The design client area, in twips, before Form_Load runs.
  void SetDesignBounds(Single left, Single top, Single width, Single height);

 private:
  int ToPixelsX(Single twips) const;
  int ToPixelsY(Single twips) const;
  void Place();
  // The window's origin as the host reports it, or as last placed before it exists.
  PixelPoint LiveOrigin() const;
  // Takes over a move made from outside, so that changing one coordinate keeps the other.
  void FollowOrigin();

  Runtime& runtime_;
  int left_px_ = 0;
  int top_px_ = 0;
  int width_px_ = 0;
  int height_px_ = 0;
};

}  // namespace forms
