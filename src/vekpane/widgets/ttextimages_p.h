#ifndef TTEXTIMAGES_P_H
#define TTEXTIMAGES_P_H

#include <QUrl>
#include <QVariant>

/*
 * The images of rich text. A document left to itself decodes an <img> from a
 * file or a data: URL at whatever size its header claims; the framework's
 * rich-text widgets hand their images to this loader instead, which decodes
 * them through the image budget.
 */
namespace TTextImages {

// The image a document shows for iName: iFound when it is an image already,
// else decoded from iFound's bytes (what a text browser found), from the
// data: URL or from the file the name stands for. Anything that cannot be
// shown, refused ones included, gives Qt's broken-image placeholder and never
// an empty result: the document would then decode the file itself.
QVariant image(const QUrl &iName, const QVariant &iFound = QVariant());

} // namespace TTextImages

#endif // TTEXTIMAGES_P_H
