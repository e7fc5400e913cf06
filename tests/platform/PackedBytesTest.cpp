#include "platform/PackedBytes.h"

#include <QRandomGenerator>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// What goes in comes back whole, whatever the pieces: none, one, and more output than one round
// of zlib's output room (bytes that don't deflate).
TEST(PackedBytes, GivesBackWhatItWasGivenInPieces)
{
    QByteArray noise(300 * 1024, Qt::Uninitialized);
    QRandomGenerator random(7);
    for (char &byte : noise)
        byte = char(random.bounded(256));
    const QByteArray rtf = QByteArray("{\\rtf1 ").repeated(50000);
    const struct {
        const char *name;
        QByteArray bytes;
        qsizetype piece;
    } cases[] = {
        {"nothing", {}, 1},
        {"one piece", "{\\rtf1 text}", 1024},
        {"many small pieces", rtf, 1000},
        {"noise in big pieces", noise, 100 * 1024},
    };
    for (const auto &c : cases) {
        PackedBytes packed;
        for (qsizetype at = 0; at < c.bytes.size(); at += c.piece)
            packed.append(QByteArrayView(c.bytes).sliced(at, std::min(c.piece, c.bytes.size() - at)));
        packed.finish();
        EXPECT_EQ(packed.unpackedSize(), c.bytes.size()) << c.name;
        EXPECT_EQ(packed.unpacked(), c.bytes) << c.name;
    }
}

} // namespace
