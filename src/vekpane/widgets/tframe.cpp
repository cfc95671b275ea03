#include "tframe.h"
#include "tframe_p.h"

#include "tuiutil.h"

#include <QResizeEvent>

TUI_WRAPPER_LIFETIME(TFrame, QFrame)

void TFrame::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("frame_shape"))
        setFrameShape(TUiUtil::str2shape(value.toString().trimmed()));
    else if (iKey == QLatin1String("frame_shadow"))
        setFrameShadow(TUiUtil::str2shadow(value.toString().trimmed()));
    else if (iKey == QLatin1String("line_width"))
        setLineWidth(value.toInt());
    else if (iKey == QLatin1String("mid_line_width"))
        setMidLineWidth(value.toInt());
}

QVariant TFrame::getAttr(const QString &iKey, const QVariant &iOptions) { return _getData(this, iKey, iOptions); }

void TFrame::resizeEvent(QResizeEvent *iEvent)
{
    QFrame::resizeEvent(iEvent);
    Q_EMIT sizeChanged(iEvent->size());
}
