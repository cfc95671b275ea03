// The widget creator a host hands to the UI loader, as the tests and the
// benchmark use it: one type word per class of the widget library.
#ifndef TST_TUILOADERCREATOR_H
#define TST_TUILOADERCREATOR_H

#include "taction.h"
#include "tcheckbox.h"
#include "tchips.h"
#include "tcombobox.h"
#include "tdateedit.h"
#include "tdockwidget.h"
#include "tdoublespinbox.h"
#include "tformlayout.h"
#include "tframe.h"
#include "tgridlayout.h"
#include "tgroupbox.h"
#include "thboxlayout.h"
#include "tlabel.h"
#include "tlineedit.h"
#include "tmainwindow.h"
#include "tmenu.h"
#include "tmenubar.h"
#include "tmulticombobox.h"
#include "tpushbutton.h"
#include "tradiobox.h"
#include "tscrollarea.h"
#include "tspinbox.h"
#include "tsplitter.h"
#include "tstackedwidget.h"
#include "ttabwidget.h"
#include "ttitleexpander.h"
#include "ttoolbar.h"
#include "ttoolbutton.h"
#include "tuiloader.h"
#include "tvboxlayout.h"
#include "vekpane.h"
#include "veklogcapture.h"

#include <QHash>
#include <QJSEngine>
#include <QString>
#include <QVariant>

#include <functional>

namespace tuiloadertest {

// Counts the objects made per type word, so that tests can see what the
// loader asked for (the context is a pointer to such a map, or null).
using Made = QHash<QString, int>;

inline QObject *create(void *iContext, const QString &iType, const QVariant &iNewParam)
{
    static const QHash<QString, std::function<QObject *(const QVariant &)>> makers {
            {QStringLiteral("PANE"), [](const QVariant &) { return new VekPane; }},
            {QStringLiteral("FRAME"), [](const QVariant &) { return new TFrame; }},
            {QStringLiteral("GROUPBOX"), [](const QVariant &) { return new TGroupBox; }},
            {QStringLiteral("LINEEDIT"), [](const QVariant &) { return new TLineEdit; }},
            {QStringLiteral("COMBOBOX"), [](const QVariant &) { return new TComboBox; }},
            {QStringLiteral("LABEL"), [](const QVariant &) { return new TLabel; }},
            {QStringLiteral("CHECKBOX"), [](const QVariant &) { return new TCheckBox; }},
            {QStringLiteral("SPINBOX"), [](const QVariant &) { return new TSpinBox; }},
            {QStringLiteral("DOUBLESPINBOX"), [](const QVariant &) { return new TDoubleSpinBox; }},
            {QStringLiteral("DATEEDIT"), [](const QVariant &) { return new TDateEdit; }},
            {QStringLiteral("MULTICOMBOBOX"), [](const QVariant &) { return new TMultiComboBox; }},
            {QStringLiteral("CHIPS"), [](const QVariant &) { return new TChips; }},
            {QStringLiteral("RADIOBOX"), [](const QVariant &) { return new TRadioBox; }},
            {QStringLiteral("PUSHBUTTON"), [](const QVariant &) { return new TPushButton; }},
            {QStringLiteral("TOOLBUTTON"), [](const QVariant &) { return new TToolButton; }},
            {QStringLiteral("HBOXLAYOUT"), [](const QVariant &) { return new THBoxLayout; }},
            {QStringLiteral("VBOXLAYOUT"), [](const QVariant &) { return new TVBoxLayout; }},
            {QStringLiteral("GRIDLAYOUT"), [](const QVariant &) { return new TGridLayout; }},
            {QStringLiteral("FORMLAYOUT"),
             [](const QVariant &iParam) {
                 TFormLayout *form = new TFormLayout;
                 if (iParam.isValid())
                     form->setColumnCount(iParam.toInt());
                 return form;
             }},
            {QStringLiteral("TABWIDGET"), [](const QVariant &) { return new TTabWidget; }},
            {QStringLiteral("SPLITTER"), [](const QVariant &) { return new TSplitter; }},
            {QStringLiteral("STACKEDWIDGET"), [](const QVariant &) { return new TStackedWidget; }},
            {QStringLiteral("SCROLLAREA"), [](const QVariant &) { return new TScrollArea; }},
            {QStringLiteral("TITLEEXPANDER"), [](const QVariant &) { return new TTitleExpander; }},
            {QStringLiteral("MAINWINDOW"), [](const QVariant &) { return new TMainWindow; }},
            {QStringLiteral("DOCKWIDGET"), [](const QVariant &) { return new TDockWidget; }},
            {QStringLiteral("TOOLBAR"), [](const QVariant &) { return new TToolBar; }},
            {QStringLiteral("MENUBAR"), [](const QVariant &) { return new TMenuBar; }},
            {QStringLiteral("MENU"), [](const QVariant &) { return new TMenu; }},
            {QStringLiteral("ACTION"), [](const QVariant &) { return new TAction; }},
    };
    const auto maker = makers.constFind(iType);
    if (maker == makers.cend())
        return nullptr;
    if (iContext)
        ++(*static_cast<Made *>(iContext))[iType];
    return (*maker)(iNewParam);
}

// One engine, one loader with the test creator, and the log lines of the run.
struct Form
{
    Form()
    {
        loader.setEngine(&engine);
        loader.setCreator(&made, &create);
    }
    bool build(const QString &iText) { return loader.setUiStr(iText); }
    // Lets changes, formulas, states and validation run, as a host does after the build.
    void live()
    {
        loader.setBlockChange(false);
        loader.setBlockValidate(false);
    }
    template <typename T = QWidget>
    T *find(const QString &iName) const
    {
        return loader.findChild<T *>(iName);
    }
    QJSValue js(const QString &iCode) { return engine.evaluate(iCode); }
    bool logged(const QString &iPart) const
    {
        const QStringList lines = log.texts(QStringLiteral("error"));
        for (const QString &line : lines) {
            if (line.contains(iPart))
                return true;
        }
        return false;
    }

    QJSEngine engine;
    Made made;
    VekLogCapture log;
    TUiLoader loader;
};

} // namespace tuiloadertest

#endif // TST_TUILOADERCREATOR_H
