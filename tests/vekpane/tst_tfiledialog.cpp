// The file dialog configured by names (the non-native dialog).
#include "tfiledialog.h"

#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class tst_TFileDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void modesByName_data();
    void modesByName();
    void labels_data();
    void labels();
    void optionsReplaceAndAdd();
    void emptyOrSeparatorOnlyOptionsChangeNothing_data();
    void emptyOrSeparatorOnlyOptionsChangeNothing();
    void emptyArgumentsAreIgnored();
    void sidebar();
    void directoryIsAbsolute();
    void runAccepted();
    void runCancelledReturnsNothing();
    void scriptVisible();

private:
    QTemporaryDir m_dir;
};

void tst_TFileDialog::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char *name : {"a.gbr", "b.gbr", "c.txt"}) {
        QFile file(m_dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void tst_TFileDialog::modesByName_data()
{
    QTest::addColumn<QString>("setter");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("value"); // -1: unchanged

    QTest::newRow("AcceptSave") << "accept"
                                << "AcceptSave" << int(QFileDialog::AcceptSave);
    QTest::newRow("acceptsave") << "accept"
                                << "acceptsave" << -1;
    QTest::newRow("List") << "view"
                          << "List" << int(QFileDialog::List);
    QTest::newRow("Detail") << "view"
                            << "Detail" << int(QFileDialog::Detail);
    QTest::newRow("list") << "view"
                          << "list" << -1;
    QTest::newRow("AnyFile") << "file"
                             << "AnyFile" << int(QFileDialog::AnyFile);
    QTest::newRow("ExistingFile") << "file"
                                  << "ExistingFile" << int(QFileDialog::ExistingFile);
    QTest::newRow("Directory") << "file"
                               << "Directory" << int(QFileDialog::Directory);
    QTest::newRow("ExistingFiles") << "file"
                                   << "ExistingFiles" << int(QFileDialog::ExistingFiles);
    QTest::newRow("DirectoryOnly") << "file"
                                   << "DirectoryOnly" << 4; // deprecated in Qt, still honoured
    QTest::newRow("existingfiles") << "file"
                                   << "existingfiles" << -1;
    QTest::newRow("blank after") << "file"
                                 << "Directory " << -1;
    QTest::newRow("empty") << "file"
                           << "" << -1;
}

void tst_TFileDialog::modesByName()
{
    QFETCH(QString, setter);
    QFETCH(QString, name);
    QFETCH(int, value);
    TFileDialog dialog;
    dialog.setOption("DontUseNativeDialog");
    // Start from values no row expects, so "unchanged" is visible.
    dialog.QFileDialog::setAcceptMode(QFileDialog::AcceptOpen);
    dialog.QFileDialog::setViewMode(QFileDialog::Detail);
    dialog.QFileDialog::setFileMode(QFileDialog::ExistingFile);
    const int before = setter == "accept" ? int(dialog.acceptMode())
                       : setter == "view" ? int(dialog.viewMode())
                                          : int(dialog.fileMode());
    if (setter == "accept")
        dialog.setAcceptMode(name);
    else if (setter == "view")
        dialog.setViewMode(name);
    else
        dialog.setFileMode(name);
    const int after = setter == "accept" ? int(dialog.acceptMode())
                      : setter == "view" ? int(dialog.viewMode())
                                         : int(dialog.fileMode());
    QCOMPARE(after, value == -1 ? before : value);
}

void tst_TFileDialog::labels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("which");
    QTest::newRow("LookIn") << "LookIn" << int(QFileDialog::LookIn);
    QTest::newRow("FileName") << "FileName" << int(QFileDialog::FileName);
    QTest::newRow("FileType") << "FileType" << int(QFileDialog::FileType);
    QTest::newRow("Accept") << "Accept" << int(QFileDialog::Accept);
    QTest::newRow("Reject") << "Reject" << int(QFileDialog::Reject);
}

void tst_TFileDialog::labels()
{
    QFETCH(QString, label);
    QFETCH(int, which);
    TFileDialog dialog;
    dialog.setOption("DontUseNativeDialog");
    const QString before = dialog.labelText(QFileDialog::DialogLabel(which));
    dialog.setLabelText(label, "");
    QCOMPARE(dialog.labelText(QFileDialog::DialogLabel(which)), before);
    dialog.setLabelText(label.toLower(), "lower");
    QCOMPARE(dialog.labelText(QFileDialog::DialogLabel(which)), before);
    dialog.setLabelText(label, "Pick it");
    QCOMPARE(dialog.labelText(QFileDialog::DialogLabel(which)), QString("Pick it"));
}

void tst_TFileDialog::optionsReplaceAndAdd()
{
    TFileDialog dialog;
    dialog.QFileDialog::setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOptions("ReadOnly|DontUseNativeDialog");
    QCOMPARE(dialog.options(), QFileDialog::ReadOnly | QFileDialog::DontUseNativeDialog);
    dialog.setOption("ShowDirsOnly");
    QCOMPARE(dialog.options(), QFileDialog::ReadOnly | QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
    dialog.setOption("ReadOnly", false);
    QCOMPARE(dialog.options(), QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
    dialog.setOption("readonly");
    QCOMPARE(dialog.options(), QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
    // Unknown names add nothing but still replace the set.
    dialog.setOptions("|HideNameFilterDetails||Bogus|DontUseNativeDialog|");
    QCOMPARE(dialog.options(), QFileDialog::HideNameFilterDetails | QFileDialog::DontUseNativeDialog);
    dialog.setOptions("Bogus");
    QCOMPARE(dialog.options(), QFileDialog::Options());
}

void tst_TFileDialog::emptyOrSeparatorOnlyOptionsChangeNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("bar") << "|";
    QTest::newRow("bars") << "|||";
}

void tst_TFileDialog::emptyOrSeparatorOnlyOptionsChangeNothing()
{
    QFETCH(QString, text);
    TFileDialog dialog;
    dialog.setOptions("ReadOnly|DontUseNativeDialog");
    dialog.setOptions(text);
    QCOMPARE(dialog.options(), QFileDialog::ReadOnly | QFileDialog::DontUseNativeDialog);
}

void tst_TFileDialog::emptyArgumentsAreIgnored()
{
    TFileDialog dialog("Open", m_dir.path(), "Gerber (*.gbr)");
    dialog.setOption("DontUseNativeDialog");
    QCOMPARE(dialog.windowTitle(), QString("Open"));
    dialog.setNameFilters({"Gerber (*.gbr)", "Text (*.txt)"});
    dialog.setNameFilters({});
    dialog.setNameFilter("");
    QCOMPARE(dialog.nameFilters(), QStringList({"Gerber (*.gbr)", "Text (*.txt)"}));
    dialog.selectNameFilter("Text (*.txt)");
    dialog.selectNameFilter("");
    QCOMPARE(dialog.selectedNameFilter(), QString("Text (*.txt)"));
    dialog.setHistory({"/tmp"});
    const QStringList history = dialog.history();
    QVERIFY(history.contains("/tmp"));
    dialog.setHistory({});
    QCOMPARE(dialog.history(), history);
    dialog.setDirectory("");
    QCOMPARE(dialog.directory(), QDir(m_dir.path()).absolutePath());
    dialog.setNameFilter("Any (*)");
    QCOMPARE(dialog.nameFilters(), QStringList({"Any (*)"}));
}

void tst_TFileDialog::sidebar()
{
    TFileDialog dialog;
    dialog.setOption("DontUseNativeDialog");
    dialog.setSidebarUrls("/tmp;;" + m_dir.path() + ";");
    QCOMPARE(dialog.sidebarUrls(), QList<QUrl>({QUrl::fromLocalFile("/tmp"), QUrl::fromLocalFile(m_dir.path())}));
    dialog.setSidebarUrls("");
    QCOMPARE(dialog.sidebarUrls().size(), 2);
    dialog.setSidebarUrls(";;");
    QVERIFY(dialog.sidebarUrls().isEmpty());
}

void tst_TFileDialog::directoryIsAbsolute()
{
    TFileDialog dialog;
    dialog.setOption("DontUseNativeDialog");
    dialog.setDirectory(m_dir.path() + "/./");
    QCOMPARE(dialog.directory(), QDir(m_dir.path()).absolutePath());
}

void tst_TFileDialog::runAccepted()
{
    TFileDialog dialog(nullptr);
    dialog.setOptions("DontUseNativeDialog");
    dialog.setFileMode("ExistingFiles");
    dialog.setDirectory(m_dir.path());
    QTimer::singleShot(0, &dialog, [&dialog, this] {
        dialog.selectFile(m_dir.filePath("a.gbr"));
        static_cast<QDialog &>(dialog).accept(); // through the file checks of the dialog
    });
    QCOMPARE(dialog.run(), QStringList({m_dir.filePath("a.gbr")}));
    QCOMPARE(dialog.selectedFiles(), QStringList({m_dir.filePath("a.gbr")}));
}

void tst_TFileDialog::runCancelledReturnsNothing()
{
    TFileDialog dialog;
    dialog.setOptions("DontUseNativeDialog");
    dialog.setDirectory(m_dir.path());
    QTimer::singleShot(0, &dialog, [&dialog, this] {
        dialog.selectFile(m_dir.filePath("b.gbr"));
        static_cast<QDialog &>(dialog).reject();
    });
    QVERIFY(dialog.run().isEmpty());
}

void tst_TFileDialog::scriptVisible()
{
    // Scripts reach the setters by name through the meta-object.
    TFileDialog dialog;
    QVERIFY(QMetaObject::invokeMethod(&dialog, "setOptions", Q_ARG(QString, "DontUseNativeDialog|ReadOnly")));
    QVERIFY(QMetaObject::invokeMethod(&dialog, "setFileMode", Q_ARG(QString, "Directory")));
    QString directory;
    QVERIFY(QMetaObject::invokeMethod(&dialog, "directory", Q_RETURN_ARG(QString, directory)));
    QVERIFY(QDir(directory).isAbsolute());
    QCOMPARE(dialog.fileMode(), QFileDialog::Directory);
    QVERIFY(dialog.testOption(QFileDialog::ReadOnly));
}

QTEST_MAIN(tst_TFileDialog)
#include "tst_tfiledialog.moc"
