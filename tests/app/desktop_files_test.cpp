// SPDX-License-Identifier: GPL-3.0-or-later
// What ties zt790prog into a desktop: the MIME type of channel files, the
// desktop entry that opens them, and the program's command line as a file
// manager or a user runs it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include "files/channel_file.h"
#include "model/blank_image.h"
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

// As a file manager starts it: the file on the command line, here with the
// Chinese interface; Ctrl+Q then ends it normally.
TEST(DesktopFiles, ProgramOpensTheFileOfItsCommandLineInChineseAndQuitsWithCtrlQ) {
    App();
    Display x;
    ASSERT_EQ(x.Error(), "");
    QTemporaryDir dir;
    const QString file = dir.filePath("radio.chann");
    ASSERT_TRUE(SaveChannelFile(file.toStdString(), BlankImage()).ok);

    QProcess program;
    ASSERT_TRUE(x.Start(program, dir.path(), {"--language", "zh", file}));
    const QString main = x.WaitForWindow("系列对讲机编程软件");
    ASSERT_FALSE(main.isEmpty()) << "the main window did not show in Chinese";
    // The open window's message, in Chinese.
    const QString box = x.WaitForWindow("操作提示");
    ASSERT_FALSE(box.isEmpty()) << "no message about the file";
    ASSERT_TRUE(x.Keys(box, {"Return"}));
    ASSERT_TRUE(x.WaitForNoWindow("操作提示"));
    ASSERT_TRUE(x.Keys(main, {"ctrl+q"}));
    ASSERT_TRUE(program.waitForFinished(10'000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
}  // namespace zt::testing
