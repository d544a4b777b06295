#include <QPainter>
#include <QtTest>
#include <cstdlib>
#include <vector>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "qtdraw/qt_image_canvas.h"
#include "qtdraw/qt_painter_canvas.h"
#include "support/golden_file.h"
#include "view/draw_view.h"
#include "view/fit_view.h"

namespace fendo {
namespace {

// Pixels of the same size that differ.
int DifferingPixels(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
  }
  return differing;
}

int Lit(const QImage& image) {
  int lit = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) lit += image.pixel(x, y) != 0xff000000u;
  }
  return lit;
}

// The share of the pixels `a` draws that `b` draws in the same colour at most a pixel away.
double NearShare(const QImage& a, const QImage& b) {
  const QRgb background = a.pixel(0, 0);
  int drawn = 0;
  int matched = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) == background) continue;
      ++drawn;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy) {
        for (int dx = -1; dx <= 1 && !near; ++dx) {
          near = b.valid(x + dx, y + dy) && b.pixel(x + dx, y + dy) == a.pixel(x, y);
        }
      }
      matched += near;
    }
  }
  return drawn == 0 ? 1.0 : static_cast<double>(matched) / drawn;
}

struct Loaded {
  std::unique_ptr<ToolpathDatabase> db = std::make_unique<ToolpathDatabase>();
  ViewState view;
  ViewOptions options;
};

// The bundled example fitted in the default view, without the layer text (it names the
// file's full path, which differs between checkouts).
Loaded Bracket(int width, int height) {
  Loaded loaded;
  const std::filesystem::path file = std::filesystem::path(FENDO_EXAMPLES_DIR) / "bracket.nc";
  if (!LoadFile(*loaded.db, file).ok()) qFatal("cannot read %s", file.c_str());
  RunAfterLoadSteps(*loaded.db, file);
  loaded.view.clientWidth = width;
  loaded.view.clientHeight = height;
  loaded.options.layerTextShown = false;
  FitView(*loaded.db, loaded.view, loaded.options);
  return loaded;
}

}  // namespace

class QtDrawTest : public QObject {
  Q_OBJECT

 private slots:
  // A headless render of the example against the reviewed picture. Text is drawn with the
  // system's fonts, so a few pixels of the legend may differ between machines: a small share
  // of differing pixels is allowed. FENDO_UPDATE_GOLDEN=1 rewrites the picture.
  void RenderMatchesTheReviewedPicture() {
    Loaded bracket = Bracket(640, 400);
    QtImageCanvas canvas(640, 400);
    DrawView(canvas, *bracket.db, bracket.view, bracket.options, {});
    const QString golden = QStringLiteral(FENDO_TEST_DATA_DIR "/drawing/bracket_iso.png");
    if (test::UpdatingGoldenFiles()) QVERIFY(canvas.image().save(golden, "PNG"));
    const QImage reference = QImage(golden).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(reference.size(), canvas.image().size());
    const int differing = DifferingPixels(reference, canvas.image());
    QVERIFY2(differing <= 640 * 400 / 200, qPrintable(QString::number(differing) + " pixels differ"));
  }

  // Without a Korean font every Hangul character renders as the same box.
  void HangulGlyphsRenderDifferently() {
    const auto render = [](const char* text) {
      QtImageCanvas canvas(60, 30);
      canvas.Fill({0, 0, 0});
      canvas.Text({5, 5}, text, {255, 255, 255});
      return canvas.image().copy();
    };
    const QImage blank = [] {
      QtImageCanvas canvas(60, 30);
      canvas.Fill({0, 0, 0});
      return canvas.image().copy();
    }();
    const QImage ga = render("가");
    const QImage na = render("나");
    QVERIFY(DifferingPixels(ga, blank) > 10);
    QVERIFY(DifferingPixels(ga, na) > 10);
  }

  // The raster canvas against QPainter's own aliased one-pixel lines. Lines along an axis or
  // at 45 degrees, solid or dashed, give the same pixels. Other slopes differ in where the
  // minor coordinate steps: QPainter's stroker works in fixed point from pixel corners and
  // steps about half a pixel further along, while the raster canvas takes the pixel nearest the
  // exact line through the pixel centres. Both give one pixel per major step between the same
  // end pixels, never more than a pixel apart.
  void RasterLinesMatchQPainter() {
    constexpr int kSize = 120;
    const auto draw = [](Canvas& canvas, LineStyle style, DevicePoint a, DevicePoint b) {
      canvas.Fill({0, 0, 0});
      canvas.SetPen({{255, 255, 255}, style});
      canvas.Line(a, b);
    };
    const auto both = [&](LineStyle style, DevicePoint a, DevicePoint b) {
      QtImageCanvas raster(kSize, kSize);
      draw(raster, style, a, b);
      QImage painted(kSize, kSize, QImage::Format_RGB32);
      {
        QPainter painter(&painted);
        QtPainterCanvas canvas(painter, painted.rect());
        draw(canvas, style, a, b);
      }
      return std::pair{raster.image().copy(), painted};
    };

    const std::pair<DevicePoint, DevicePoint> exact[] = {
        {{10, 10}, {110, 10}}, {{100, 20}, {5, 20}},   {{10, 5}, {10, 115}},  {{30, 110}, {30, 2}},
        {{5, 5}, {105, 105}},  {{110, 10}, {10, 110}}, {{0, 60}, {119, 60}}};
    for (const LineStyle style : {LineStyle::Solid, LineStyle::Dashed}) {
      for (const auto& [a, b] : exact) {
        const auto [raster, painted] = both(style, a, b);
        QVERIFY2(DifferingPixels(raster, painted) == 0,
                 qPrintable(QString("%1,%2 to %3,%4 %5").arg(a.x).arg(a.y).arg(b.x).arg(b.y).arg(int(style))));
      }
    }

    // A line clipped by the image's edge: QPainter starts its dashes again at the edge, the
    // raster canvas keeps them where the whole line puts them; solid, they agree.
    {
      const auto [raster, painted] = both(LineStyle::Solid, {-40, 50}, {200, 50});
      QCOMPARE(DifferingPixels(raster, painted), 0);
    }

    std::srand(11);
    for (int n = 0; n < 300; ++n) {
      const DevicePoint a{std::rand() % kSize, std::rand() % kSize};
      const DevicePoint b{std::rand() % kSize, std::rand() % kSize};
      const auto [raster, painted] = both(LineStyle::Solid, a, b);
      const auto lit = [](const QImage& image, int x, int y) {
        return x >= 0 && y >= 0 && x < kSize && y < kSize && image.pixel(x, y) != 0xff000000u;
      };
      QCOMPARE(Lit(raster), Lit(painted));
      QVERIFY(lit(raster, a.x, a.y) && lit(painted, a.x, a.y) && lit(raster, b.x, b.y) && lit(painted, b.x, b.y));
      const bool xMajor = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
      for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
          if (!lit(raster, x, y)) continue;
          const bool near = xMajor ? lit(painted, x, y - 1) || lit(painted, x, y) || lit(painted, x, y + 1)
                                   : lit(painted, x - 1, y) || lit(painted, x, y) || lit(painted, x + 1, y);
          QVERIFY(near);
        }
      }
    }
  }

  // Printing draws like the screen: the painter canvas gives the raster canvas's picture.
  void PainterCanvasDrawsThePictureOfTheImageCanvas() {
    Loaded bracket = Bracket(400, 250);
    bracket.options.feedLegendShown = false;
    QtImageCanvas screen(400, 250);
    DrawView(screen, *bracket.db, bracket.view, bracket.options, {});
    QImage page(400, 250, QImage::Format_RGB32);
    {
      QPainter painter(&page);
      QtPainterCanvas canvas(painter, page.rect());
      DrawView(canvas, *bracket.db, bracket.view, bracket.options, {});
    }
    QVERIFY(NearShare(screen.image(), page) > 0.99);
    QVERIFY(NearShare(page, screen.image()) > 0.99);
  }
};

}  // namespace fendo

QTEST_MAIN(fendo::QtDrawTest)
#include "qtdraw_test.moc"
