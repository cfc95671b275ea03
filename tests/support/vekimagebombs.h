#ifndef VEKIMAGEBOMBS_H
#define VEKIMAGEBOMBS_H

#include <QByteArray>
#include <QSize>

// Small files that claim huge images and decode without error when nothing
// stops them, built from bytes.
namespace VekImageBombs {

// A 35-byte GIF: one 1 x 1 frame on a logical screen of iScreen, which the
// decoder allocates for the frame; each further frame adds 15 bytes.
QByteArray gif(const QSize &iScreen, int iFrames = 1);

// A grey JPEG of a few hundred bytes whose frame header claims iSize; its
// data ends early, which the decoder fills in.
QByteArray jpeg(const QSize &iSize);

// A complete, valid PNG of black RGB pixels: about 1.3 bytes a thousand pixels.
QByteArray png(const QSize &iSize);

// An icon file with one entry that lists 16 x 16 pixels but holds iPng.
QByteArray icoHolding(const QByteArray &iPng);

} // namespace VekImageBombs

#endif // VEKIMAGEBOMBS_H
