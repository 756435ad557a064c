// One drag step on the layout canvas: the mouse move (snapping, conversion
// to device pixels) and the repaint it causes, with four windows shown over
// eight screens. Beside it, the repaint of an empty widget of the same size,
// measured in the same run. Prints one "key: value" a line.
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "logic/main/MainPageLayout.h"
#include "pages/main/CPictureCtrl.h"
#include "support/RecordingLink.h"

namespace {

constexpr int kWarmup = 50;
constexpr int kSteps = 2000;

double Percentile(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(q * (v.size() - 1))];
}

void Mouse(QWidget& w, QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(p), w.mapToGlobal(QPointF(p)), Qt::LeftButton, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

// Milliseconds each call of `step` takes, the widget repainted at once.
template <typename Step>
std::vector<double> Time(QWidget& widget, Step step) {
  std::vector<double> samples;
  QElapsedTimer timer;
  for (int i = 0; i < kWarmup + kSteps; ++i) {
    timer.start();
    step(i);
    widget.repaint();
    const double ms = timer.nsecsElapsed() / 1e6;
    if (i >= kWarmup) samples.push_back(ms);
  }
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  qv::DeviceModel model;
  qv::test::RecordingLink link;
  qv::CommandEncoder encoder(model, link);
  model.rec.HReso = 1920;
  model.rec.VReso = 1080;
  model.rec.MosaicMode = 5;
  for (int k = 0; k < qv::kWindowCount; ++k) {
    model.rec.Chnl[k] = {1,   0, static_cast<uint8_t>(k), 0, 100 + 200 * k, 100 + 100 * k, 960,
                         540, 0};
  }
  qv::MainPageLayout layout(encoder);
  layout.SetPageSize(1000, 560);
  layout.ArrangeScreens(5);
  for (int k = 0; k < qv::kWindowCount; ++k) {
    layout.ShowWindowCell(k, true);
    layout.PlaceWindowCell(k);
  }
  // The four preview and program screens too: eight screens in all.
  for (int i = qv::MainPageLayout::kFirstPreviewScreen; i < qv::MainPageLayout::kCellCount; ++i) {
    layout.canvas().Cell(layout.cell(i))->SetHidden(false);
  }

  qv::CPictureCtrl canvas(layout.canvas());
  canvas.resize(1000, 560);
  canvas.show();
  QWidget empty;
  empty.resize(1000, 560);
  empty.show();
  QApplication::processEvents();

  const qv::CCell* window = layout.canvas().Cell(layout.cell(1));
  const qv::Rect& r = window->canvasRect();
  const QPoint start((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  Mouse(canvas, QEvent::MouseButtonPress, start, Qt::LeftButton);
  // Back and forth over 60 pixels, passing the other windows' edges.
  const auto drag = Time(canvas, [&](int i) {
    const int phase = i % 120;
    const int dx = phase < 60 ? phase : 120 - phase;
    Mouse(canvas, QEvent::MouseMove, start + QPoint(dx, dx / 2), Qt::LeftButton);
  });
  Mouse(canvas, QEvent::MouseButtonRelease, start, Qt::NoButton);
  const auto baseline = Time(empty, [](int) {});

  std::printf("drag_step_p50_ms: %.3f\n", Percentile(drag, 0.5));
  std::printf("drag_step_p99_ms: %.3f\n", Percentile(drag, 0.99));
  std::printf("empty_repaint_p50_ms: %.3f\n", Percentile(baseline, 0.5));
  std::printf("empty_repaint_p99_ms: %.3f\n", Percentile(baseline, 0.99));
  return 0;
}
