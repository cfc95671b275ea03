#include "tmimehtml.h"

TMimeHtml::TMimeHtml(const QString &iHtml, QObject *iParent)
    : TMimeText(iHtml, iParent)
{
    setContentType(QStringLiteral("text/html"));
}

TMimeHtml::~TMimeHtml() = default;

void TMimeHtml::prepare() { TMimeText::prepare(); }
