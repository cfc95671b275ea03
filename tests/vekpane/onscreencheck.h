// Checks shared by the on-screen tests: shown, painted, laid out apart, and
// the window and focus set-up they start from.
#ifndef ONSCREENCHECK_H
#define ONSCREENCHECK_H

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QRect>
#include <QString>
#include <QTest>
#include <QWidget>

#include <vector>

namespace onscreencheck {

// Shows a top-level widget and waits until it has the keyboard.
inline bool showActive(QWidget *iWindow)
{
    iWindow->show();
    iWindow->activateWindow();
    QApplication::setActiveWindow(iWindow);
    return QTest::qWaitForWindowActive(iWindow);
}

// Moves the focus as the tab key would and waits until the widget has it.
inline bool giveFocus(QWidget *iWidget)
{
    iWidget->setFocus(Qt::TabFocusReason);
    return QTest::qWaitFor([iWidget] { return iWidget->hasFocus(); }, 2000);
}

// True when the area shows more than one colour, i.e. something is drawn there.
inline bool hasContent(const QImage &iImage, const QRect &iArea)
{
    const QRect area = iArea.intersected(iImage.rect());
    if (area.isEmpty())
        return false;
    const QRgb first = iImage.pixel(area.topLeft());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (iImage.pixel(x, y) != first)
                return true;
        }
    }
    return false;
}

// The widget's rectangle in the window's coordinates.
inline QRect inWindow(QWidget *iWidget, QWidget *iWindow)
{
    return QRect(iWidget->mapTo(iWindow, QPoint(0, 0)), iWidget->size());
}

// Empty when every part is visible, lies inside the window, shows something in
// the window's grab and overlaps none of the others; else what is wrong. The
// grab is kept as vek_<iName>.png in the temporary folder for a look by eye.
inline QString checkParts(QWidget *iWindow, const std::vector<QWidget *> &iParts, const QString &iName)
{
    const QImage image = iWindow->grab().toImage();
    image.save(QDir::temp().filePath(QStringLiteral("vek_%1.png").arg(iName)));
    const QRect window(QPoint(0, 0), iWindow->size());
    for (size_t i = 0; i < iParts.size(); ++i) {
        QWidget *part = iParts.at(i);
        const QString name = part->objectName().isEmpty() ? QString::fromLatin1(part->metaObject()->className())
                                                          : part->objectName();
        if (!part->isVisible())
            return name + QStringLiteral(" not visible");
        const QRect r = inWindow(part, iWindow);
        if (!window.contains(r))
            return name + QStringLiteral(" outside the window");
        if (!hasContent(image, r))
            return name + QStringLiteral(" not painted");
        for (size_t j = i + 1; j < iParts.size(); ++j) {
            if (r.intersects(inWindow(iParts.at(j), iWindow)))
                return name + QStringLiteral(" overlaps ") + iParts.at(j)->objectName()
                       + QLatin1String(iParts.at(j)->metaObject()->className());
        }
    }
    return QString();
}

} // namespace onscreencheck

#endif // ONSCREENCHECK_H
