#ifndef TMIMEINLINEFILE_H
#define TMIMEINLINEFILE_H

#include "tmimefile.h"

/*!
 * A file part shown inline, typically an image that an HTML part refers to
 * by its content id ("cid:").
 */
class VEKFOUNDATION_EXPORT TMimeInlineFile : public TMimeFile
{
public:
    explicit TMimeInlineFile(const QString &iFilePath = QString(), QObject *iParent = nullptr);
    ~TMimeInlineFile() override;

    void prepare() override;
};

#endif // TMIMEINLINEFILE_H
