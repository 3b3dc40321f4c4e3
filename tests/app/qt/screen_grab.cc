// quorvane-screen-grab FILE.png [X Y WIDTH HEIGHT]: the screen of the display,
// or the part of it given, as a PNG.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2 && argc != 6) {
    std::fprintf(stderr, "usage: quorvane-screen-grab FILE.png [X Y WIDTH HEIGHT]\n");
    return 2;
  }
  int area[4] = {0, 0, -1, -1};
  for (int i = 0; i + 2 < argc; ++i) area[i] = std::atoi(argv[i + 2]);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr || !screen->grabWindow(0, area[0], area[1], area[2], area[3])
                                .save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "quorvane-screen-grab: cannot grab the screen into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
