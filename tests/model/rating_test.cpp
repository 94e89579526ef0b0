#include <gtest/gtest.h>

#include <cmath>

#include "model/rating.h"

namespace {

TEST(Rating, IsValidRatingBoundaries) {
    EXPECT_FALSE(IsValidRating(4.4));
    EXPECT_FALSE(IsValidRating(4.5)); // halves round to even: 4
    EXPECT_TRUE(IsValidRating(5));
    EXPECT_TRUE(IsValidRating(5.5)); // rounds to 6
    EXPECT_TRUE(IsValidRating(3299.4));
    EXPECT_FALSE(IsValidRating(3299.5)); // rounds to 3300
    EXPECT_FALSE(IsValidRating(0));
    EXPECT_FALSE(IsValidRating(-100));
    EXPECT_FALSE(IsValidRating(NAN));
    EXPECT_FALSE(IsValidRating(INFINITY));
    // Values beyond any integer are no rating either (and must not be rounded).
    EXPECT_FALSE(IsValidRating(1e300));
    EXPECT_FALSE(IsValidRating(-1e300));
    EXPECT_FALSE(IsValidRating(1e19));
}

TEST(Rating, Sign) {
    EXPECT_EQ(Sign(-3.2), -1);
    EXPECT_EQ(Sign(0), 0);
    EXPECT_EQ(Sign(1e-300), 1);
}

TEST(Rating, ErrorFunctionAgainstKnownValues) {
    // The rational approximation near zero is good to a few parts in 1e9.
    EXPECT_NEAR(Erf(0.3), 0.3286267594591274, 1e-10);
    EXPECT_NEAR(Erf(-0.3), -0.3286267594591274, 1e-10);
    EXPECT_NEAR(Erf(0.49), 0.511668261188523, 5e-9);
    EXPECT_NEAR(Erf(1.5), 0.9661051464753108, 1e-15);
    EXPECT_NEAR(ErfC(3), 2.2090496998585438e-05, 1e-18);
    EXPECT_NEAR(ErfC(-3), 2 - 2.2090496998585438e-05, 1e-15);
    EXPECT_EQ(ErfC(10), 0);
    EXPECT_EQ(Erf(12), 1);
    EXPECT_EQ(Erf(-12), -1);
    EXPECT_EQ(Erf(0), 0);
    EXPECT_NEAR(NormCdf(1), 0.8413447460685429, 1e-15);
    EXPECT_DOUBLE_EQ(NormCdf(0), 0.5);
}

TEST(Rating, NormInvAgainstKnownQuantiles) {
    struct Q {
        double p, x;
    };
    const Q quantiles[] = {{0.5, 0.0},
                           {0.975, 1.9599639845400536},
                           {0.01, -2.3263478740408408},
                           {0.2, -0.8416212335729142},
                           {0.9, 1.2815515655446008},
                           {1e-5, -4.2648907939228256},
                           {1e-10, -6.361340902404056},
                           {1e-20, -9.262340089798405},
                           {1e-100, -21.27345356096532},
                           {0.999999, 4.753424308817089}};
    for (const Q& q : quantiles)
        EXPECT_NEAR(NormInv(q.p), q.x, 1e-12 * (1 + std::fabs(q.x))) << q.p;
    EXPECT_EQ(NormInv(0), -1e300);
    EXPECT_EQ(NormInv(-1), -1e300);
    EXPECT_EQ(NormInv(1), 1e300);
    // Inverse of the distribution over the whole range.
    for (double p = 0.001; p < 1; p += 0.0137)
        EXPECT_NEAR(NormCdf(NormInv(p)), p, 5e-9);
}

TEST(Rating, ExpectedScoreClampsTheDifference) {
    EXPECT_DOUBLE_EQ(ExpectedScore(1500, 2400), ExpectedScore(1500, 2300));
    EXPECT_DOUBLE_EQ(ExpectedScore(2400, 1500), ExpectedScore(2300, 1500));
    EXPECT_NEAR(ExpectedScore(1500, 2300), 0.9974448696695721, 1e-14);
    EXPECT_DOUBLE_EQ(ExpectedScore(1800, 1800), 0.5);
    // By hand: 200 points are 0.7 standard deviations, Phi(0.7) = 0.7580363.
    EXPECT_NEAR(ExpectedScore(1600, 1800), 0.7580363, 1e-7);
    EXPECT_NEAR(ExpectedScore(1800, 1600), 1 - 0.7580363, 1e-7);
    EXPECT_NEAR(ExpectedScore(1700, 1800) + ExpectedScore(1800, 1700), 1, 1e-15);
    EXPECT_EQ(ExpectedScore(0, 1800), 0);
    EXPECT_EQ(ExpectedScore(1800, 3300), 0);
}

TEST(Rating, RatingFromPercentage) {
    EXPECT_DOUBLE_EQ(RatingFromPercentage(50, 1600), 1600);
    EXPECT_NEAR(RatingFromPercentage(97.5, 1600), 1600 + 1.9599639845400536 * 2000 / 7, 1e-9);
    EXPECT_EQ(RatingFromPercentage(0, 1600), 0);
    EXPECT_EQ(RatingFromPercentage(100, 1600), 0);
    EXPECT_EQ(RatingFromPercentage(50, 4), 0);
    EXPECT_EQ(RatingFromPercentage(0.0001, 100), 0); // negative ratings become 0
}

TEST(Rating, PerformanceByPercentage) {
    // 2 out of 4 against 1800: exactly the average.
    EXPECT_NEAR(PerformanceByPercentage(4, 2, 1800, 1700), 1800, 1e-9);
    // A perfect score adds a draw against the own rating: 3.5 of 4 against 1850.
    // 3.5 of 4 (87.5 %) against (3 * 1800 + 2000) / 4 = 1850: 1850 + 285.714 * 1.15035.
    EXPECT_NEAR(PerformanceByPercentage(3, 3, 1800, 2000), 2178.671, 1e-3);
    EXPECT_NEAR(PerformanceByPercentage(3, 3, 1800, 1800), 2128.671, 1e-3);
    // Without an own rating the opponents' average stands in: 0.5 of 3 against
    // 1600 is 1600 + 285.714 * z(1/6) = 1600 - 276.41.
    EXPECT_NEAR(PerformanceByPercentage(2, 0, 1600, 0), 1323.594, 1e-3);
    EXPECT_EQ(PerformanceByPercentage(0, 0, 0, 0), 0);
}

TEST(Rating, PerformanceRatingByBisection) {
    // Half the points against equal opponents lands within the bisection's step of them.
    EXPECT_NEAR(PerformanceRating({1800, 1800, 1800, 1800}, 1700, 2), 1800, 0.1);
    // A perfect score stays finite through the virtual draw against the own rating.
    const double perfect = PerformanceRating({1800, 1800, 1800}, 1800, 3);
    EXPECT_GT(perfect, 1800);
    EXPECT_LT(perfect, 3500);
    // Its expected score against the four ratings is 3.5.
    double e = 0;
    for (const double r : {1800.0, 1800.0, 1800.0, 1800.0})
        e += NormCdf((perfect - r) / RatingSigma);
    EXPECT_NEAR(e, 3.5, 1e-3);
    // Zero score without own rating: the list's average (rounded) is added.
    const double zero = PerformanceRating({1600, 1601}, 0, 0);
    EXPECT_GT(zero, 0);
    EXPECT_LT(zero, 1600);
    EXPECT_EQ(PerformanceRating({100, 100}, 0, 0), 0); // negative results become 0
}

} // namespace
