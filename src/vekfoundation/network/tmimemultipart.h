#ifndef TMIMEMULTIPART_H
#define TMIMEMULTIPART_H

#include "tmimepart.h"

#include <QList>

class TMimeMultiPartPrivate;

/*!
 * A multipart container. Parts are written in the order they were added,
 * each after the container's boundary line. A part added without a Qt
 * parent becomes a child of the container and dies with it.
 */
class VEKFOUNDATION_EXPORT TMimeMultiPart : public TMimePart
{
public:
    enum MultiPartType { Mixed = 0, Digest = 1, Alternative = 2, Related = 3, Report = 4, Signed = 5, Encrypted = 6 };

    explicit TMimeMultiPart(int iType = Related, QObject *iParent = nullptr);
    ~TMimeMultiPart() override;

    void addPart(TMimePart *iPart);
    QList<TMimePart *> parts() const;

    void setType(int iType);
    int type() const;

    void prepare() override;

private:
    Q_DECLARE_PRIVATE(TMimeMultiPart)
};

#endif // TMIMEMULTIPART_H
