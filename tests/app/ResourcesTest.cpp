#include "QtTestApp.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QRegularExpression>
#include <QSettings>
#include <QSvgRenderer>

#include <gtest/gtest.h>

namespace varnel {
namespace {

const QString kResources = QStringLiteral(VARNEL_SOURCE_DIR "/resources");

QStringList qrcFiles() {
    QFile qrc(kResources + QStringLiteral("/varnel.qrc"));
    if (!qrc.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString text = QString::fromUtf8(qrc.readAll());
    QStringList files;
    static const QRegularExpression file(QStringLiteral("<file>([^<]+)</file>"));
    for (const auto& m : file.globalMatch(text)) {
        files << m.captured(1);
    }
    return files;
}

TEST(Resources, EveryIconIsBuiltInAndDrawsSomething) {
    test::qtTestApp();
    const QStringList files = qrcFiles();
    const QStringList onDisk =
        QDir(kResources + QStringLiteral("/icons")).entryList({QStringLiteral("*.svg")});
    EXPECT_EQ(files.size(), onDisk.size()) << "resources/varnel.qrc and resources/icons differ";
    for (const char* name : {"add", "delete", "modify", "print", "totals", "configure", "export",
                             "convert", "clear-selected", "close", "ok", "cancel", "varnel"}) {
        EXPECT_TRUE(files.contains(QStringLiteral("icons/%1.svg").arg(QLatin1String(name))))
            << name;
    }
    for (const QString& f : files) {
        const QString path = QStringLiteral(":/") + f;
        SCOPED_TRACE(path.toStdString());
        QSvgRenderer svg(path);
        ASSERT_TRUE(svg.isValid());
        EXPECT_EQ(svg.viewBoxF(), QRectF(0, 0, 24, 24));
        const QIcon icon(path);
        ASSERT_FALSE(icon.isNull());
        const QImage image = icon.pixmap(24, 24).toImage();
        ASSERT_FALSE(image.isNull());
        int painted = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
            }
        }
        EXPECT_GT(painted, 24);
    }
}

TEST(Resources, DesktopEntryStartsTheProgramWithItsIcon) {
    QSettings entry(kResources + QStringLiteral("/app.varnel.Varnel.desktop"),
                    QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    EXPECT_EQ(entry.value(QStringLiteral("Type")).toString(), QStringLiteral("Application"));
    EXPECT_EQ(entry.value(QStringLiteral("Name")).toString(), QStringLiteral("Varnel"));
    EXPECT_TRUE(
        entry.value(QStringLiteral("Exec")).toString().startsWith(QStringLiteral("varnel ")));
    // The icon is installed under the entry's own name (see resources/DesktopInstall.cmake).
    EXPECT_EQ(entry.value(QStringLiteral("Icon")).toString(), QStringLiteral("app.varnel.Varnel"));
}

TEST(Resources, TheGearListTypeIsKnownByTheHeaderTheWriterPuts) {
    QFile types(kResources + QStringLiteral("/app.varnel.Varnel.mime.xml"));
    ASSERT_TRUE(types.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(types.readAll());
    static const QRegularExpression magic(
        QStringLiteral("<match type=\"string\" offset=\"0\" value=\"([^\"]+)\"/>"));
    const auto m = magic.match(text);
    ASSERT_TRUE(m.hasMatch());
    QFile sample(kResources + QStringLiteral("/sample/GearData.dat"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    EXPECT_TRUE(sample.readLine().startsWith(m.captured(1).toLatin1()));
    // A name pattern would claim every other program's ".dat" file.
    EXPECT_FALSE(text.contains(QStringLiteral("<glob")));
}

} // namespace
} // namespace varnel
