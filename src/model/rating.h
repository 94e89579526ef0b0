#pragma once
// Rating mathematics on the normal distribution with a standard deviation of
// 2000/7 rating points per game: expected scores and performance ratings.

#include <vector>

using TTprAr = std::vector<double>;

inline constexpr double RatingSigma = 2000.0 / 7.0;

// The ratings a player can have; anything else is no rating.
inline constexpr int MinRating = 5, MaxRating = 3299;
// The rounded rating (halves to even) lies in MinRating..MaxRating.
bool IsValidRating(double R);
int Sign(double X);
double ErfC(double X);
double Erf(double X);
double NormCdf(double X);
// Inverse of NormCdf; -1e300 for P <= 0 and 1e300 for P >= 1.
double NormInv(double P);

// Expected score of a player against an opponent; the difference counts up to 800.
double ExpectedScore(double TegenRating, double EigenRating);
// The rating that scores Procent percent against opponents rated Rc.
double RatingFromPercentage(double Procent, double Rc);
// Performance by the percentage method over N rated games with average rating Rc.
double PerformanceByPercentage(int N, double Score, double Rc, double EigenRating);
// Performance by bisection: the rating whose expected score equals Score.
double PerformanceRating(TTprAr Ratings, double EigenRating, double Score);
