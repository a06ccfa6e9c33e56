// Saving a picture: a bitmap that reads back, written through the program's one safe
// writer, so that a pipe, a device or a write-protected file is refused and left alone.
#include "gui/graphics/picture.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace radexa {
namespace {

QImage Picture() {
    QImage image = NewPicture(31, 17);
    image.fill(QColor(10, 200, 30));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    return image;
}

TEST(SavePicture, WritesABitmapThatReadsBackAndReplacesAnOldOne) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("Seitenansicht.bmp");
    for (int round = 0; round < 2; ++round) {
        QString error;
        ASSERT_TRUE(SaveBitmap(Picture(), file, &error)) << error.toStdString();
        QImageReader reader(file);
        EXPECT_EQ(reader.format(), "bmp");
        const QImage back = reader.read();
        EXPECT_EQ(back.size(), QSize(31, 17));
        EXPECT_EQ(back.pixel(0, 0), qRgb(255, 0, 0));
        EXPECT_EQ(back.pixel(30, 16), qRgb(10, 200, 30));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"Seitenansicht.bmp"});
}

TEST(SavePicture, WhatIsNoWritableRegularFileIsRefusedAndKept) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pipe = dir.filePath("pipe.bmp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    const QString linkToPipe = dir.filePath("link.bmp");
    ASSERT_TRUE(QFile::link(pipe, linkToPipe));
    const QString protectedFile = dir.filePath("protected.bmp");
    {
        QFile f(protectedFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    ASSERT_EQ(::chmod(QFile::encodeName(protectedFile).constData(), 0444), 0);
    QStringList refused{pipe, linkToPipe, protectedFile};
    // A device node of its own stands for /dev/null (making one needs root).
    const QString device = dir.filePath("null.bmp");
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
        refused << device;

    for (const QString& target : refused) {
        QString error;
        EXPECT_FALSE(SaveBitmap(Picture(), target, &error)) << target.toStdString();
        EXPECT_TRUE(error.contains(target)) << error.toStdString();
    }
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(QFileInfo(linkToPipe).isSymLink());
    if (refused.contains(device)) {
        ASSERT_EQ(::lstat(QFile::encodeName(device).constData(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));
    }
    QFile f(protectedFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files | QDir::System).filter("tmp"),
              QStringList{})
        << "no temporary file left";
}

TEST(SavePicture, AnEmptyPictureIsNotWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString error;
    EXPECT_FALSE(SaveBitmap(QImage(), dir.filePath("empty.bmp"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("empty.bmp")));
}

} // namespace
} // namespace radexa
