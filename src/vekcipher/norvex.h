#ifndef NORVEX_H
#define NORVEX_H

#include "vekcipher_export.h"

#include <QByteArray>

/*!
 * The cipher of stored script content. The encrypted form is printable ASCII
 * (a tag and Base64), so it lives unharmed in a text column.
 *
 * The key stream is SHA-256 over a fixed product key, a random 8-byte nonce
 * carried in the text, and a block counter; a SHA-256 tag over key, nonce and
 * plain text tells a wrong or damaged text from a good one. This keeps script
 * sources out of plain sight in the database; it is not meant to resist
 * someone who holds the program.
 */
class VEKCIPHER_EXPORT Norvex
{
public:
    //! Decrypts ioData in place. Text that is not in the encrypted form, or
    //! whose check fails, is left as it was and gives false.
    static bool d2(QByteArray &ioData);
    //! The encrypted text of iPlain, for tools and tests.
    static QByteArray e2(const QByteArray &iPlain);
};

#endif // NORVEX_H
