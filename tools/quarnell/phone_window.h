// tools/quarnell/phone_window.h — the emulator's window: a phone whose screen
// shows the MIDlet's details (layout and colours in phone_layout.h).
//
// PhoneTitleOf gives the window title: the MIDlet's name, or a plain
// description when the archive could not be read. DrawPhone paints the whole
// client area; the window only calls it.
#pragma once

#include "manifest.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

QString PhoneTitleOf(const MidletInfo& info);
void DrawPhone(QPainter& painter, const MidletInfo& info, const QImage& icon);

class PhoneWindow : public QWidget {
 public:
  explicit PhoneWindow(const MidletInfo& info);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  MidletInfo info_;
  QImage icon_;
};
