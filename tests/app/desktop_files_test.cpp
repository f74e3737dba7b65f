// SPDX-License-Identifier: GPL-3.0-or-later
// What ties zt790prog into a desktop: the MIME type of channel files and the
// desktop entry that opens them (the program_binary test opens a file given on
// its command line).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include "x_display.h"

namespace zt::testing {
namespace {

QString SourceFile(const QString& path) { return QStringLiteral(ZT_SOURCE_DIR "/") + path; }

// The MIME database built from the program's XML alone, as
// update-mime-database builds it on a user's machine; asked through
// QMimeDatabase, as a Qt file manager does.
TEST(DesktopFiles, ChannFilesHaveTheProgramsMimeTypeAndItsDesktopEntryOpensThem) {
    App();
    QTemporaryDir data;
    const QString packages = data.filePath("mime/packages");
    ASSERT_TRUE(QDir().mkpath(packages));
    ASSERT_TRUE(QFile::copy(SourceFile("dist/zt790prog.xml"), packages + "/zt790prog.xml"));
    QProcess update;
    update.start("update-mime-database", {data.filePath("mime")});
    ASSERT_TRUE(update.waitForFinished(60000)) << "update-mime-database is missing "
                                                  "(scripts/deps installs shared-mime-info)";
    ASSERT_EQ(update.exitCode(), 0) << update.readAllStandardError().toStdString();

    // Read on first use: the database sees only the folder made above.
    qputenv("XDG_DATA_HOME", data.filePath("home").toUtf8());
    qputenv("XDG_DATA_DIRS", data.path().toUtf8());
    const QMimeDatabase db;
    const QMimeType type =
        db.mimeTypeForFile("/nowhere/radio.chann", QMimeDatabase::MatchExtension);
    EXPECT_EQ(type.name(), "application/x-zt790-channels");
    EXPECT_TRUE(type.inherits("text/plain"));
    EXPECT_EQ(db.mimeTypeForFile("/nowhere/RADIO.CHANN", QMimeDatabase::MatchExtension).name(),
              "application/x-zt790-channels");

    // The desktop entry opens that type and hands the file to the program.
    QSettings entry(SourceFile("dist/zt790prog.desktop"), QSettings::IniFormat);
    entry.beginGroup("Desktop Entry");
    EXPECT_EQ(entry.value("Exec").toString(), "zt790prog %f");
    EXPECT_TRUE(entry.value("MimeType").toString().split(';').contains(type.name()));
}

}  // namespace
}  // namespace zt::testing
