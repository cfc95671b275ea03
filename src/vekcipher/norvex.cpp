#include "norvex.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QStringBuilder>

namespace {

const char kTag[] = "NVX2:";
const int kNonceSize = 8;
const int kCheckSize = 8;

QByteArray productKey() { return QByteArrayLiteral("vek.pdtserver.script.7f3c9a2e51d84b06"); }

void applyKeyStream(QByteArray &ioData, const QByteArray &iNonce)
{
    const QByteArray key = productKey();
    QByteArray block;
    quint32 counter = 0;
    for (int i = 0; i < ioData.size(); ++i) {
        const int offset = i % 32;
        if (offset == 0) {
            QCryptographicHash hash(QCryptographicHash::Sha256);
            hash.addData(key);
            hash.addData(iNonce);
            const char counterBytes[4] = {char(counter >> 24), char(counter >> 16), char(counter >> 8), char(counter)};
            hash.addData(counterBytes, 4);
            block = hash.result();
            ++counter;
        }
        ioData[i] = char(ioData.at(i) ^ block.at(offset));
    }
}

QByteArray checkOf(const QByteArray &iNonce, const QByteArray &iPlain)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(productKey());
    hash.addData(iNonce);
    hash.addData(iPlain);
    return hash.result().left(kCheckSize);
}

} // namespace

bool Norvex::d2(QByteArray &ioData)
{
    const QByteArray text = ioData.trimmed();
    if (!text.startsWith(kTag))
        return false;
    const auto decoded
            = QByteArray::fromBase64Encoding(text.mid(int(sizeof(kTag)) - 1), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() < kNonceSize + kCheckSize)
        return false;
    const QByteArray nonce = decoded.decoded.left(kNonceSize);
    const QByteArray check = decoded.decoded.mid(kNonceSize, kCheckSize);
    QByteArray plain = decoded.decoded.mid(kNonceSize + kCheckSize);
    applyKeyStream(plain, nonce);
    if (checkOf(nonce, plain) != check)
        return false;
    ioData = plain;
    return true;
}

QByteArray Norvex::e2(const QByteArray &iPlain)
{
    QByteArray nonce(kNonceSize, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(nonce.data()), kNonceSize / 4);
    QByteArray body = iPlain;
    applyKeyStream(body, nonce);
    return QByteArray(kTag) + QByteArray(nonce + checkOf(nonce, iPlain) + body).toBase64();
}
