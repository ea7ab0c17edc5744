#include "element/FontRecord.h"
#include "ctlkit/base/CArchiveReader.h"
#include "ctlkit/base/CArchiveWriter.h"
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(ElementRecordTest, FaceNameIsCutToThirtyOneCharacters) {
    const std::string face31(31, 'F');
    for (auto [stored, kept] : std::vector<std::pair<std::string, std::string>>{
             {face31, face31}, {face31 + "XYZ", face31}}) {
        CArchiveWriter ar;
        ar.WriteInt(15);
        ar.WriteInt(6);
        ar.WriteInt(400);
        ar.WriteByte(1);
        ar.WriteString(stored);
        LOGFONT font;
        CArchiveReader in(ar.Bytes());
        ASSERT_TRUE(ReadFontRecord(in, font));
        EXPECT_EQ(std::string(font.lfFaceName), kept);
        EXPECT_EQ(font.lfItalic, 1);
        EXPECT_TRUE(in.AtEnd());
    }
}

} // namespace
