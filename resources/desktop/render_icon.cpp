// Build tool: renders the program's SVG icon into square PNGs of the given sizes, for the icon
// themes that want bitmaps. Usage: render_icon ICON.svg OUTPUT_DIR SIZE...
// Each size lands in OUTPUT_DIR/SIZExSIZE/orlan.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    // No window is opened: the offscreen platform is enough, and there may be no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: render_icon ICON.svg OUTPUT_DIR SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0) return 2;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString folder = QStringLiteral("%1x%1").arg(size);
        out.mkpath(folder);
        if (!image.save(out.filePath(folder + QStringLiteral("/orlan.png")))) {
            std::fprintf(stderr, "render_icon: cannot write the %d-pixel icon\n", size);
            return 1;
        }
    }
    return 0;
}
