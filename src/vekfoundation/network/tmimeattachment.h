#ifndef TMIMEATTACHMENT_H
#define TMIMEATTACHMENT_H

#include "tmimefile.h"

/*!
 * A file part shown as an attachment.
 */
class VEKFOUNDATION_EXPORT TMimeAttachment : public TMimeFile
{
public:
    explicit TMimeAttachment(const QString &iFilePath = QString(), QObject *iParent = nullptr);
    ~TMimeAttachment() override;

    void prepare() override;
};

#endif // TMIMEATTACHMENT_H
