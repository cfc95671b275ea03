#ifndef TMIMEFILE_H
#define TMIMEFILE_H

#include "tmimepart.h"

class TMimeFilePrivate;

/*!
 * A file part ("application/octet-stream", Base64). The file is read when
 * the part is prepared; one that cannot be read gives an empty body.
 */
class VEKFOUNDATION_EXPORT TMimeFile : public TMimePart
{
public:
    explicit TMimeFile(const QString &iFilePath = QString(), QObject *iParent = nullptr);
    ~TMimeFile() override;

    void setFileName(const QString &iFilePath);
    QString fileName() const;

    void prepare() override;

protected:
    TMimeFile(TMimeFilePrivate &iPrivate, const QString &iFilePath, QObject *iParent);
    // Adds a disposition line to the extra headers unless it is there already,
    // so preparing a part again does not repeat it.
    void addDispositionLine(const QString &iLine);

private:
    Q_DECLARE_PRIVATE(TMimeFile)
};

#endif // TMIMEFILE_H
