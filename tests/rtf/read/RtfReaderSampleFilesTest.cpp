// Reference files: each sample's text, exactly, as the .txt beside it gives it (list items with
// the markers their lists draw).
#include "ListTestDocuments.h"
#include "RtfReaderTestSupport.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString samplesDir = QStringLiteral(CORVALA_TEST_DATA "/rtf/samples");

std::vector<std::string> sampleNames()
{
    std::vector<std::string> names;
    for (const QString &name : QDir(samplesDir).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name))
        names.push_back(QFileInfo(name).completeBaseName().toStdString());
    return names;
}

using TestFiles::readBytes;

class SampleFiles : public testing::TestWithParam<std::string> {};

TEST_P(SampleFiles, ReadTheirReferenceText)
{
    const QString base = samplesDir + QLatin1Char('/') + QString::fromStdString(GetParam());
    const auto document = readRtf(readBytes(base + QStringLiteral(".rtf")));
    EXPECT_EQ(textWithListMarkers(*document), QString::fromUtf8(readBytes(base + QStringLiteral(".txt"))));
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleFiles, testing::ValuesIn(sampleNames()),
                         [](const testing::TestParamInfo<std::string> &info) { return info.param; });

} // namespace
