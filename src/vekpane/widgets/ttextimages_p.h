#ifndef TTEXTIMAGES_P_H
#define TTEXTIMAGES_P_H

#include "vekpane_export.h"

#include <QUrl>
#include <QVariant>

class QEvent;
class QObject;

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
// *oRefused, when given, tells whether the image was refused by the budget
// (and an error line written).
QVariant image(const QUrl &iName, const QVariant &iFound = QVariant(), bool *oRefused = nullptr);

// A label's document (QLabel, every label made from it, Qt's tool tips)
// loads its images itself and has no loader to hand them to. Called with
// every object and event an application-wide event filter sees, this finds
// each such document as it is made and, each time its text changes, puts
// the images in it through image() before the label lays the text out.
VEKPANE_EXPORT void watchLabels(QObject *iWatched, QEvent *iEvent);

} // namespace TTextImages

#endif // TTEXTIMAGES_P_H
