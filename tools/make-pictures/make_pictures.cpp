// Paints the decoration pictures of the options and shipping dialogs: flat
// shop scenes in calm colours, without text, so that the result is the same
// on every machine. Usage: make-pictures OUTPUT-FOLDER
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 432;

const QColor kSky(0xe6, 0xf0, 0xec);
const QColor kGround(0xcf, 0xe0, 0xd9);
const QColor kTeal(0x3e, 0x8e, 0x87);
const QColor kDeepTeal(0x2f, 0x5d, 0x62);
const QColor kCream(0xf6, 0xee, 0xdc);
const QColor kSand(0xea, 0xd7, 0xb7);
const QColor kGlass(0xcf, 0xe3, 0xea);
const QColor kCoral(0xe0, 0x7a, 0x5f);
const QColor kMustard(0xe9, 0xb4, 0x4c);
const QColor kSlate(0x5b, 0x6c, 0x7d);
const QColor kSage(0x8d, 0xb4, 0x8e);
const QColor kKraft(0xc8, 0x9f, 0x6a);
const QColor kTape(0xe8, 0xd3, 0xae);

// The default error handler prints the reason and ends the tool, which is all
// a build step needs.
QByteArray encodeJpeg(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    // No chroma subsampling: flat colour edges stay clean.
    info.comp_info[0].h_samp_factor = 1;
    info.comp_info[0].v_samp_factor = 1;
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPLE*>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

void paintBackground(QPainter& p, int groundTop) {
    p.fillRect(0, 0, kWidth, kHeight, kSky);
    p.fillRect(0, groundTop, kWidth, kHeight - groundTop, kGround);
}

void paintStorefront(QPainter& p, int top) {
    p.setPen(Qt::NoPen);
    p.setBrush(kSand);
    p.drawRect(16, top + 20, 88, 110);
    p.setBrush(kDeepTeal);
    p.drawRect(12, top, 96, 12);
    // Awning: stripes with a scalloped edge.
    const int stripes = 6;
    const double stripe = 96.0 / stripes;
    for (int i = 0; i < stripes; ++i) {
        p.setBrush(i % 2 == 0 ? kTeal : kCream);
        const QRectF band(12 + i * stripe, top + 12, stripe, 20);
        p.drawRect(band);
        p.drawEllipse(QRectF(band.left(), band.bottom() - stripe / 2, stripe, stripe));
    }
    // Window with a small display of goods.
    p.setBrush(kDeepTeal);
    p.drawRect(22, top + 50, 40, 48);
    p.setBrush(kGlass);
    p.drawRect(25, top + 53, 34, 42);
    p.setBrush(kMustard);
    p.drawRoundedRect(QRectF(29, top + 80, 10, 15), 2, 2);
    p.setBrush(kCoral);
    p.drawEllipse(QRectF(43, top + 83, 11, 11));
    // Door.
    p.setBrush(kDeepTeal);
    p.drawRect(70, top + 48, 28, 82);
    p.setBrush(kGlass);
    p.drawRect(75, top + 54, 18, 26);
    p.setBrush(kMustard);
    p.drawEllipse(QRectF(90, top + 92, 4, 4));
    // A plant by the door.
    p.setBrush(kSage);
    p.drawEllipse(QRectF(50, top + 104, 16, 14));
    p.setBrush(kCoral.darker(115));
    p.drawRect(53, top + 114, 10, 16);
    // The pavement it stands on.
    p.setBrush(kGround.darker(108));
    p.drawRect(0, top + 130, kWidth, 6);
}

void paintPriceTag(QPainter& p, QPointF centre, double angle) {
    p.save();
    p.translate(centre);
    p.rotate(angle);
    QPainterPath tag;
    tag.moveTo(-22, -14);
    tag.lineTo(14, -14);
    tag.lineTo(30, 0);
    tag.lineTo(14, 14);
    tag.lineTo(-22, 14);
    tag.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kCoral);
    p.drawPath(tag);
    p.setBrush(kSky);
    p.drawEllipse(QPointF(16, 0), 4, 4);
    p.setBrush(kCream);
    p.drawRoundedRect(QRectF(-15, -5, 20, 3), 1.5, 1.5);
    p.drawRoundedRect(QRectF(-15, 2, 13, 3), 1.5, 1.5);
    p.restore();
    // Its string, from the hole upwards.
    p.setPen(QPen(kSlate, 1.5));
    p.setBrush(Qt::NoBrush);
    QPainterPath string;
    const QPointF hole = centre + QTransform().rotate(angle).map(QPointF(16, 0));
    string.moveTo(hole);
    string.cubicTo(hole + QPointF(10, -18), hole + QPointF(-4, -26), hole + QPointF(6, -40));
    p.drawPath(string);
    p.setPen(Qt::NoPen);
    p.setBrush(kDeepTeal);
    p.drawEllipse(hole + QPointF(6, -40), 2.5, 2.5);
}

void paintGear(QPainter& p, QPointF centre, double radius, const QColor& colour) {
    p.save();
    p.translate(centre);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const int teeth = 8;
    for (int i = 0; i < teeth; ++i) {
        p.save();
        p.rotate(360.0 * i / teeth);
        p.drawRoundedRect(QRectF(-radius * 0.2, -radius * 1.25, radius * 0.4, radius * 0.5), 2, 2);
        p.restore();
    }
    p.drawEllipse(QPointF(0, 0), radius, radius);
    p.setBrush(kSky);
    p.drawEllipse(QPointF(0, 0), radius * 0.4, radius * 0.4);
    p.restore();
}

void paintBag(QPainter& p, QRectF body) {
    p.setPen(QPen(kDeepTeal, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(body.left() + body.width() * 0.25, body.top() - 14, body.width() * 0.5, 26), 0,
              180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kMustard);
    p.drawRoundedRect(body, 3, 3);
    p.setBrush(kMustard.darker(112));
    p.drawRect(QRectF(body.left(), body.top(), body.width(), 6));
}

void paintCoins(QPainter& p, QPointF base) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i % 2 == 0 ? kMustard : kMustard.darker(110));
        p.drawRoundedRect(QRectF(base.x(), base.y() - i * 5, 24, 6), 3, 3);
    }
}

QImage optionsPicture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintBackground(p, 358);
    p.setPen(Qt::NoPen);
    p.setBrush(kSky.lighter(104));
    p.drawEllipse(QRectF(-30, 10, 120, 60));
    paintStorefront(p, 46);
    paintPriceTag(p, QPointF(52, 236), -18);
    paintGear(p, QPointF(34, 318), 18, kSlate);
    paintGear(p, QPointF(66, 296), 10, kTeal);
    paintBag(p, QRectF(64, 320, 40, 44));
    paintCoins(p, QPointF(14, 384));
    p.setBrush(kSage);
    p.drawEllipse(QRectF(86, 388, 22, 14));
    return image;
}

void paintGlobe(QPainter& p, QPointF centre, double radius) {
    p.setPen(Qt::NoPen);
    p.setBrush(kGlass);
    p.drawEllipse(centre, radius, radius);
    p.save();
    QPainterPath clip;
    clip.addEllipse(centre, radius, radius);
    p.setClipPath(clip);
    p.setBrush(kSage);
    p.drawEllipse(
        QRectF(centre.x() - radius * 0.9, centre.y() - radius * 0.7, radius * 0.9, radius * 0.8));
    p.drawEllipse(
        QRectF(centre.x() + radius * 0.1, centre.y() - radius * 0.1, radius * 0.8, radius * 0.9));
    p.setPen(QPen(kTeal, 1.2));
    p.setBrush(Qt::NoBrush);
    for (double w : {0.35, 0.7})
        p.drawEllipse(centre, radius * w, radius);
    p.drawLine(QPointF(centre.x(), centre.y() - radius), QPointF(centre.x(), centre.y() + radius));
    for (double h : {-0.45, 0.0, 0.45})
        p.drawLine(QPointF(centre.x() - radius, centre.y() + radius * h),
                   QPointF(centre.x() + radius, centre.y() + radius * h));
    p.restore();
    p.setPen(QPen(kDeepTeal, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
}

void paintTruck(QPainter& p, QPointF origin) {
    p.setPen(Qt::NoPen);
    p.setBrush(kTeal);
    p.drawRoundedRect(QRectF(origin.x(), origin.y(), 60, 36), 3, 3);
    p.setBrush(kCream);
    p.drawRoundedRect(QRectF(origin.x() + 8, origin.y() + 10, 30, 12), 2, 2);
    QPainterPath cab;
    cab.moveTo(origin + QPointF(62, 8));
    cab.lineTo(origin + QPointF(80, 8));
    cab.lineTo(origin + QPointF(92, 22));
    cab.lineTo(origin + QPointF(92, 36));
    cab.lineTo(origin + QPointF(62, 36));
    cab.closeSubpath();
    p.setBrush(kCoral);
    p.drawPath(cab);
    QPainterPath window;
    window.moveTo(origin + QPointF(67, 12));
    window.lineTo(origin + QPointF(78, 12));
    window.lineTo(origin + QPointF(86, 22));
    window.lineTo(origin + QPointF(67, 22));
    window.closeSubpath();
    p.setBrush(kGlass);
    p.drawPath(window);
    for (double x : {16.0, 74.0}) {
        p.setBrush(kSlate);
        p.drawEllipse(origin + QPointF(x, 38), 8, 8);
        p.setBrush(kCream);
        p.drawEllipse(origin + QPointF(x, 38), 3, 3);
    }
}

void paintParcel(QPainter& p, QRectF box) {
    p.setPen(Qt::NoPen);
    p.setBrush(kKraft);
    p.drawRect(box);
    p.setBrush(kTape);
    p.drawRect(QRectF(box.center().x() - 3, box.top(), 6, box.height()));
    p.setBrush(kKraft.darker(115));
    p.drawRect(QRectF(box.left(), box.top(), box.width(), 3));
    p.setBrush(kCream);
    p.drawRect(QRectF(box.left() + 4, box.bottom() - 10, box.width() * 0.3, 6));
}

QImage shippingPicture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintBackground(p, 270);
    paintGlobe(p, QPointF(60, 86), 40);
    // The route from the globe to the road.
    p.setPen(QPen(kCoral, 2, Qt::DashLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath route;
    route.moveTo(78, 124);
    route.cubicTo(108, 162, 20, 176, 40, 214);
    p.drawPath(route);
    p.setPen(Qt::NoPen);
    p.setBrush(kCoral);
    p.drawEllipse(QPointF(40, 218), 4, 4);
    paintTruck(p, QPointF(14, 224));
    p.setBrush(kSlate.lighter(130));
    p.drawRect(0, 270, kWidth, 4);
    paintParcel(p, QRectF(14, 330, 48, 42));
    paintParcel(p, QRectF(62, 344, 44, 28));
    paintParcel(p, QRectF(24, 300, 32, 30));
    p.setBrush(kSage);
    p.drawEllipse(QRectF(88, 310, 22, 34));
    p.setBrush(kDeepTeal);
    p.drawRect(QRectF(98, 336, 3, 8));
    return image;
}

bool write(const QString& file, const QImage& picture) {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(encodeJpeg(picture)) < 0) {
        std::fprintf(stderr, "make-pictures: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-pictures OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    return write(folder.filePath(QStringLiteral("options.jpg")), optionsPicture()) &&
                   write(folder.filePath(QStringLiteral("shipping.jpg")), shippingPicture())
               ? 0
               : 1;
}
