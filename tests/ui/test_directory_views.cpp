// The drive selector, directory list and file list: what they show, how a double-click
// moves the current directory and with it the next result file, and a directory that
// cannot be entered.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTest>

#include <memory>

#include "directory_list_box.h"
#include "drive_combo_box.h"
#include "file_list_box.h"
#include "main_window_fixture.h"

using fluxeta::ui::DirectoryListBox;
using fluxeta::ui::DriveComboBox;
using fluxeta::ui::FileListBox;
using fluxeta::ui::testing::MainWindowFixture;

namespace {

void MakeFile(const QString& path) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("x\n");
}

// A directory with subdirectories and files, hidden ones among them.
void PopulateDirectory(const QString& directory) {
  const QDir into(directory);
  for (const char* name : {"zeta", "alpha", ".hidden", "cases"}) {
    into.mkdir(QString::fromLatin1(name));
  }
  for (const char* name : {"b.txt", "a.txt", ".secret.txt", "cases/inner.txt"}) {
    MakeFile(into.filePath(QString::fromLatin1(name)));
  }
}

QStringList LineTexts(const QListWidget& list) {
  QStringList texts;
  for (int row = 0; row < list.count(); ++row) {
    texts.append(list.item(row)->text());
  }
  return texts;
}

int RowOf(const QListWidget& list, const QString& text) {
  const QList<QListWidgetItem*> found = list.findItems(text, Qt::MatchExactly);
  return found.isEmpty() ? -1 : list.row(found.constFirst());
}

void DoubleClickLine(QListWidget& list, int row) {
  QListWidgetItem* line = list.item(row);
  list.scrollToItem(line);
  const QPoint at = list.visualItemRect(line).center();
  // As the window system delivers it: a click, then the second press as a double-click.
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class DirectoryViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { fixture_ = std::make_unique<MainWindowFixture>(PopulateDirectory); }
  void cleanup() {
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void viewsShowTheStartingDirectory() {
    const QString start = fixture_->Directory();
    DirectoryListBox& directories = Directories();
    QCOMPARE(directories.Directory(), start);

    // The root, each directory down to the current one (selected), its subdirectories.
    QStringList expected{QStringLiteral("/")};
    expected += start.split(u'/', Qt::SkipEmptyParts);
    const int currentRow = static_cast<int>(expected.size()) - 1;
    expected += {QStringLiteral("alpha"), QStringLiteral("cases"), QStringLiteral("zeta")};
    QCOMPARE(LineTexts(directories), expected);
    QCOMPARE(directories.currentRow(), currentRow);
    QCOMPARE(directories.LineDirectory(0), QStringLiteral("/"));
    QCOMPARE(directories.LineDirectory(currentRow), start);
    QCOMPARE(directories.LineDirectory(currentRow + 1), start + QStringLiteral("/alpha"));
    QCOMPARE(directories.visualItemRect(directories.item(0)).height(), 16);

    FileListBox& files = Files();
    QCOMPARE(LineTexts(files), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    QVERIFY(files.item(0)->icon().isNull());
    QCOMPARE(files.visualItemRect(files.item(0)).height(), 13);
  }

  void driveSelectorListsTheMountedRootsAndShowsTheCurrentOne() {
    auto& drives = *fixture_->Find<DriveComboBox>("DriveComboBox1");
    const QStringList roots = fluxeta::ui::MountedRoots();
    QVERIFY(roots.contains(QStringLiteral("/")));
    QStringList sorted = roots;
    sorted.sort();
    QCOMPARE(roots, sorted);
    QStringList listed;
    for (int index = 0; index < drives.count(); ++index) {
      listed.append(drives.itemText(index));
    }
    QCOMPARE(listed, roots);
    // The innermost root that holds the current directory.
    QString expected;
    for (const QString& root : roots) {
      if ((root == QStringLiteral("/") || fixture_->Directory().startsWith(root + u'/')) &&
          root.size() > expected.size()) {
        expected = root;
      }
    }
    QCOMPARE(drives.Drive(), expected);
  }

  void singleClickOnlySelects() {
    DirectoryListBox& directories = Directories();
    const int row = RowOf(directories, QStringLiteral("cases"));
    QTest::mouseClick(directories.viewport(), Qt::LeftButton, {},
                      directories.visualItemRect(directories.item(row)).center());
    QCOMPARE(directories.currentRow(), row);
    QCOMPARE(QDir::currentPath(), fixture_->Directory());
    QCOMPARE(directories.Directory(), fixture_->Directory());
  }

  void doubleClickMovesTheDirectoryFilesAndTheNextResultFile() {
    DirectoryListBox& directories = Directories();
    DoubleClickLine(directories, RowOf(directories, QStringLiteral("cases")));
    const QString cases = fixture_->Directory() + QStringLiteral("/cases");
    QCOMPARE(QDir::currentPath(), cases);
    QCOMPARE(directories.Directory(), cases);
    QCOMPARE(directories.item(directories.currentRow())->text(), QStringLiteral("cases"));
    QCOMPARE(directories.count(), directories.currentRow() + 1);  // no subdirectories
    QCOMPARE(Files().Directory(), cases);
    QCOMPARE(LineTexts(Files()), QStringList{QStringLiteral("inner.txt")});

    QTest::mouseClick(fixture_->Button("BitBtn1"), Qt::LeftButton);
    QCOMPARE(fixture_->presenter.completions, 1);
    QVERIFY(QFile::exists(cases + QStringLiteral("/Result.txt")));
    QVERIFY(!QFile::exists(fixture_->PathOf(QStringLiteral("Result.txt"))));

    // Back up through the line of the parent directory.
    DoubleClickLine(directories, directories.currentRow() - 1);
    QCOMPARE(QDir::currentPath(), fixture_->Directory());
    QCOMPARE(LineTexts(Files()), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    QVERIFY(fixture_->presenter.errors.isEmpty());
  }

  void doubleClickOnTheCurrentLineChangesNothing() {
    DirectoryListBox& directories = Directories();
    const QStringList linesBefore = LineTexts(directories);
    const int currentBefore = directories.currentRow();
    DoubleClickLine(directories, directories.currentRow());
    QCOMPARE(LineTexts(directories), linesBefore);
    QCOMPARE(directories.currentRow(), currentBefore);
    QCOMPARE(QDir::currentPath(), fixture_->Directory());
  }

  void viewsFollowChangesOfTheShownDirectory() {
    DirectoryListBox& directories = Directories();
    FileListBox& files = Files();
    files.setCurrentRow(RowOf(files, QStringLiteral("b.txt")));
    const int selectedDirectory = RowOf(directories, QStringLiteral("cases"));
    directories.setCurrentRow(selectedDirectory);

    // The result file a run has just written.
    QTest::mouseClick(fixture_->Button("BitBtn1"), Qt::LeftButton);
    QCOMPARE(fixture_->presenter.completions, 1);
    QTRY_COMPARE(LineTexts(files), (QStringList{QStringLiteral("Result.txt"),
                                                QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    QCOMPARE(files.currentItem()->text(), QStringLiteral("b.txt"));

    // A directory made and a file removed by another program.
    QVERIFY(QDir(fixture_->Directory()).mkdir(QStringLiteral("beta")));
    QTRY_VERIFY(RowOf(directories, QStringLiteral("beta")) > 0);
    QCOMPARE(directories.currentRow(), RowOf(directories, QStringLiteral("cases")));
    QVERIFY(QFile::remove(fixture_->PathOf(QStringLiteral("a.txt"))));
    QTRY_COMPARE(LineTexts(files),
                 (QStringList{QStringLiteral("Result.txt"), QStringLiteral("b.txt")}));

    // Only the shown directory is watched: the one left behind is not listed any more.
    DoubleClickLine(directories, RowOf(directories, QStringLiteral("cases")));
    QVERIFY(QDir(fixture_->Directory()).mkdir(QStringLiteral("gamma")));
    MakeFile(fixture_->PathOf(QStringLiteral("cases/new.txt")));
    QTRY_COMPARE(LineTexts(files),
                 (QStringList{QStringLiteral("inner.txt"), QStringLiteral("new.txt")}));
    QCOMPARE(RowOf(directories, QStringLiteral("gamma")), -1);
    QCOMPARE(QDir::currentPath(), fixture_->Directory() + QStringLiteral("/cases"));
    QVERIFY(fixture_->presenter.errors.isEmpty());
  }

  void directoryThatCannotBeEnteredShowsTheInputOutputError() {
    DirectoryListBox& directories = Directories();
    const QStringList linesBefore = LineTexts(directories);
    QVERIFY(QDir(fixture_->Directory()).rmdir(QStringLiteral("zeta")));

    DoubleClickLine(directories, RowOf(directories, QStringLiteral("zeta")));
    QCOMPARE(fixture_->presenter.errors, QStringList{QStringLiteral("ファイルが見つかりません.")});
    QCOMPARE(QDir::currentPath(), fixture_->Directory());
    QCOMPARE(directories.Directory(), fixture_->Directory());
    QCOMPARE(LineTexts(directories), linesBefore);
    QCOMPARE(Files().Directory(), fixture_->Directory());

    // The window goes on: the next run lands where the list still points.
    QTest::mouseClick(fixture_->Button("BitBtn1"), Qt::LeftButton);
    QCOMPARE(fixture_->presenter.completions, 1);
    QVERIFY(QFile::exists(fixture_->PathOf(QStringLiteral("Result.txt"))));
  }

  void choosingADriveMovesToItsRoot() {
    auto& drives = *fixture_->Find<DriveComboBox>("DriveComboBox1");
    const int root = drives.findText(QStringLiteral("/"));
    QVERIFY(root >= 0);
    drives.setCurrentIndex(root);
    emit drives.activated(root);
    QCOMPARE(QDir::currentPath(), QStringLiteral("/"));
    QCOMPARE(Directories().Directory(), QStringLiteral("/"));
    QCOMPARE(Directories().count() - 1,
             QDir(QStringLiteral("/")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
    QCOMPARE(Files().Directory(), QStringLiteral("/"));
    QVERIFY(fixture_->presenter.errors.isEmpty());
  }

 private:
  DirectoryListBox& Directories() { return *fixture_->Find<DirectoryListBox>("DirectoryListBox1"); }
  FileListBox& Files() { return *fixture_->Find<FileListBox>("FileListBox1"); }

  std::unique_ptr<MainWindowFixture> fixture_;
};

QTEST_MAIN(DirectoryViewsTest)
#include "test_directory_views.moc"
