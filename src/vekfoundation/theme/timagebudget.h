#ifndef TIMAGEBUDGET_H
#define TIMAGEBUDGET_H

#include "vekfoundation_export.h"

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

class QImageReader;
class TError;

/*!
 * The one budget for decoding an image from a file or from data. A small
 * file can claim a huge image, and decoding it would take gigabytes and
 * seconds, so the size is read from the header first and anything above
 * MaxPixels is refused with one error line naming its source before a
 * pixel is decoded. A refused image gives the same neutral result as data
 * that is no image: a null image or icon.
 *
 * The size checked is what the decoder allocates: the reader's size, widened
 * to an animation's logical screen (Qt's reader reports the first frame), and
 * for an icon file its largest entry, an embedded PNG by its own header.
 */
class VEKFOUNDATION_EXPORT TImageBudget
{
public:
    //! The most pixels one decoded image may have: 64 mega-pixels, 256 MB at four bytes a pixel.
    static constexpr qint64 MaxPixels = 64LL * 1024 * 1024;

    /*!
     * The size that decoding the reader's image allocates, read from the
     * header alone, before anything else is read; invalid when the data is no
     * image the reader knows or its size cannot be read.
     */
    static QSize decodedSize(QImageReader &ioReader);

    /*!
     * Whether the reader's image may be decoded. An image above the budget, or
     * one whose size cannot be read, logs one error line naming iSource, fills
     * oErr and answers false; data that is no image answers false silently,
     * as decoding it would.
     */
    static bool fits(QImageReader &ioReader, const QString &iSource, TError *oErr = nullptr);

    //! Decodes the reader's image when fits(); a null image otherwise.
    static QImage read(QImageReader &ioReader, const QString &iSource, TError *oErr = nullptr);

    //! read() of a file; the error line names its path.
    static QImage readFile(const QString &iFileName, TError *oErr = nullptr);

    //! read() of bytes in memory; the error line names iSource.
    static QImage readData(const QByteArray &iData, const QString &iSource, TError *oErr = nullptr);

    //! Whether a file's image fits the budget (see fits()), without decoding it.
    static bool fitsFile(const QString &iFileName, TError *oErr = nullptr);

    /*!
     * The icon of a file, as QIcon(iFileName) makes it, when all the images
     * that QIcon decodes at once (every frame or entry of the file) fit the
     * budget together; a null icon otherwise. An SVG file is drawn at the size
     * asked for and is passed on unchecked.
     */
    static QIcon iconFile(const QString &iFileName, TError *oErr = nullptr);

    //! How an error line names a data: URL: "data: URL" and its first characters.
    static QString dataUrlSource(const QString &iUrl);
};

#endif // TIMAGEBUDGET_H
