#ifndef TMIMEHTML_H
#define TMIMEHTML_H

#include "tmimetext.h"

/*!
 * A UTF-8 HTML part ("text/html"); otherwise a text part.
 */
class VEKFOUNDATION_EXPORT TMimeHtml : public TMimeText
{
public:
    explicit TMimeHtml(const QString &iHtml = QString(), QObject *iParent = nullptr);
    ~TMimeHtml() override;

    void prepare() override;
};

#endif // TMIMEHTML_H
