#include "SeriesTestSupport.h"
#include "series/Operators.h"

// Debug builds stop at a length mismatch; release builds go on (see LengthMismatchTest).
TEST(LengthAssertDeathTest, DebugBuildsStopAtAMismatch) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CurvePtr y;
    EXPECT_DEBUG_DEATH(y = Series::Sub(MakeCurve({1, 2, 3, 4, 5}), MakeCurve({1, 2, 3, 4})),
                       "different lengths");
#ifdef NDEBUG
    EXPECT_TRUE(SameBits(y->values, std::vector<float>(5, kInf)));
#endif
}
