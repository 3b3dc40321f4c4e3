// quorvane-screen-grab FILE.png [X Y WIDTH HEIGHT]: the screen of the display,
// or the part of it given, as a PNG, once it is drawn: more than one colour,
// since on a black root a window not yet drawn is all black.

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <cstdlib>

namespace {

bool Drawn(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != image.pixel(0, 0)) return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2 && argc != 6) {
    std::fprintf(stderr, "usage: quorvane-screen-grab FILE.png [X Y WIDTH HEIGHT]\n");
    return 2;
  }
  int area[4] = {0, 0, -1, -1};
  for (int i = 0; i + 2 < argc; ++i) area[i] = std::atoi(argv[i + 2]);
  QScreen* screen = QGuiApplication::primaryScreen();
  QImage shot;
  const QDeadlineTimer deadline(10'000);
  while (screen != nullptr) {
    shot = screen->grabWindow(0, area[0], area[1], area[2], area[3]).toImage();
    if (Drawn(shot) || deadline.hasExpired()) break;
    QThread::msleep(50);
  }
  if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "quorvane-screen-grab: cannot grab the screen into %s\n", argv[1]);
    return 1;
  }
  if (!Drawn(shot)) {
    std::fprintf(stderr, "quorvane-screen-grab: nothing was drawn there in 10 s\n");
    return 1;
  }
  return 0;
}
