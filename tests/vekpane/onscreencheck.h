// Checks shared by the on-screen tests: shown, painted, laid out apart, and
// the window and focus set-up they start from.
#ifndef ONSCREENCHECK_H
#define ONSCREENCHECK_H

#include "tresource.h"

#include <QAbstractButton>
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

// Registers the product's icon bundle of the build, as a host program does;
// widgets fetch their icons when they are made, so this comes first.
inline bool loadIconBundle()
{
    TResource::instance()->setRccDir(QStringLiteral(VEK_BIN_DIR "/../resource/res"));
    return TResource::instance()->loadRcc(QStringLiteral("zul.rcc"));
}

// Empty when the icon of an icon-only button shows in the image, else what
// is wrong. iArea is the button's area in the image. The icon's rectangle
// is its icon size centred on the button, within the button's frame; a
// pixel there is ink when it stands clearly apart from the button's face on
// both sides of the rectangle in the same row, so a face with a vertical
// gradient counts as plain. A missing icon leaves the rectangle plain.
inline QString iconShows(const QImage &iImage, const QAbstractButton *iButton, const QRect &iArea)
{
    QString name = iButton->objectName().isEmpty() ? iButton->toolTip() : iButton->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(iButton->metaObject()->className());
    const QRect area = iArea.intersected(iImage.rect());
    QRect icon(QPoint(0, 0), iButton->iconSize());
    icon.moveCenter(area.center());
    // The frame lies in the outer pixels; a column of face stays on each side.
    icon &= area.adjusted(4, 3, -4, -3);
    if (icon.isEmpty())
        return name + QStringLiteral(": too small for an icon or not in the picture");
    const auto distance = [](QRgb iA, QRgb iB) {
        return qAbs(qRed(iA) - qRed(iB)) + qAbs(qGreen(iA) - qGreen(iB)) + qAbs(qBlue(iA) - qBlue(iB));
    };
    int inked = 0;
    for (int y = icon.top(); y <= icon.bottom(); ++y) {
        const QRgb left = iImage.pixel(icon.left() - 1, y);
        const QRgb right = iImage.pixel(icon.right() + 1, y);
        for (int x = icon.left(); x <= icon.right(); ++x) {
            const QRgb pixel = iImage.pixel(x, y);
            inked += distance(pixel, left) > 48 && distance(pixel, right) > 48 ? 1 : 0;
        }
    }
    // A glyph covers a good part of its square.
    const int needed = qMax(3, icon.width() * icon.height() / 25);
    if (inked < needed)
        return QStringLiteral("%1: %2 of the %3 pixels needed stand apart from the button's face in %4x%5")
                .arg(name)
                .arg(inked)
                .arg(needed)
                .arg(icon.width())
                .arg(icon.height());
    return QString();
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
