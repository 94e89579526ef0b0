#include "model/rating.h"

#include <cmath>
#include <initializer_list>
#include <numeric>

#include "platform/rtl/sysutils.h"

namespace {

// Horner evaluation, coefficients from the highest power down.
double Poly(double x, std::initializer_list<double> c) {
    double r = 0;
    for (const double v : c)
        r = r * x + v;
    return r;
}

constexpr double ExpMin2 = 0.13533528323661269189; // exp(-2)
constexpr double Sqrt2Pi = 2.5066282746310007;

} // namespace

bool IsValidRating(double R) {
    // Far out of range values are no rating and would not fit the rounded integer.
    if (!std::isfinite(R) || std::fabs(R) > 1e9) return false;
    const int64_t r = Round(R);
    return r >= MinRating && r <= MaxRating;
}

int Sign(double X) {
    return X > 0 ? 1 : (X < 0 ? -1 : 0);
}

double ErfC(double X) {
    if (X < 0) return 2 - ErfC(-X);
    if (X < 0.5) return 1 - Erf(X);
    if (X >= 10) return 0;
    const double p =
        Poly(X, {0.5641877825507398, 9.675807882987266, 77.08161730368428, 368.5196154710011,
                 1143.2620707038861, 2320.4395902516353, 2898.0293292167657, 1826.3348842295113});
    const double q =
        Poly(X, {1, 17.14980943627608, 137.12559605006223, 661.7361207107654, 2094.3843677895397,
                 4429.612803883682, 6089.542423272444, 4958.82756472114, 1826.3348842295113});
    return std::exp(-X * X) * p / q;
}

double Erf(double X) {
    const int s = Sign(X);
    const double a = std::fabs(X);
    if (a >= 10) return s;
    if (a >= 0.5) return s * (1 - ErfC(a));
    const double z = X * X;
    const double p =
        Poly(z, {0.007547728033418632, 0.2888051372075941, 14.33838421917482, 38.0140318123903,
                 3017.827885365076, 7404.071427101515, 80437.36309608402});
    const double q = Poly(z, {1, 38.01907139519394, 658.0701554592405, 6379.600173244283,
                              34216.52579246285, 80437.36309608402});
    return 1.1283791670955126 * s * a * p / q;
}

double NormCdf(double X) {
    return (Erf(X / std::sqrt(2.0)) + 1) * 0.5;
}

double NormInv(double P) {
    if (P <= 0) return -1e300;
    if (P >= 1) return 1e300;
    bool lowerTail = true;
    double y = P;
    if (y > 1 - ExpMin2) {
        y = 1 - y;
        lowerTail = false;
    }
    if (y > ExpMin2) {
        // Central range: 0 <= |y - 0.5| <= 3/8.
        y -= 0.5;
        const double y2 = y * y;
        const double p0 = Poly(y2, {-5.99633501014107895267E1, 9.80010754185999661536E1,
                                    -5.66762857469070293439E1, 1.39312609387279679503E1,
                                    -1.23916583867381258016E0});
        const double q0 = Poly(y2, {1.0, 1.95448858338141759834E0, 4.67627912898881538453E0,
                                    8.63602421390890590575E1, -2.25462687854119370527E2,
                                    2.00260212380060660359E2, -8.20372256168333339912E1,
                                    1.59056225126211695515E1, -1.18331621121330003142E0});
        return (y + y * (y2 * p0 / q0)) * Sqrt2Pi;
    }
    const double x = std::sqrt(-2.0 * std::log(y));
    const double x0 = x - std::log(x) / x;
    const double z = 1.0 / x;
    double x1;
    if (x < 8.0) {
        // Tail with y between exp(-32) and exp(-2).
        x1 = z *
             Poly(z, {4.05544892305962419923E0, 3.15251094599893866154E1, 5.71628192246421288162E1,
                      4.40805073893200834700E1, 1.46849561928858024014E1, 2.18663306850790267539E0,
                      -1.40256079171354495875E-1, -3.50424626827848203418E-2,
                      -8.57456785154685413611E-4}) /
             Poly(z, {1.0, 1.57799883256466749731E1, 4.53907635128879210584E1,
                      4.13172038254672030440E1, 1.50425385692907503408E1, 2.50464946208309415979E0,
                      -1.42182922854787788574E-1, -3.80806407691578277194E-2,
                      -9.33259480895457427372E-4});
    } else {
        // Far tail, y below exp(-32).
        x1 = z *
             Poly(z, {3.23774891776946035970E0, 6.91522889068984211695E0, 3.93881025292474443415E0,
                      1.33303460815807542389E0, 2.01485389549179081538E-1,
                      1.23716634817820021358E-2, 3.01581553508235416007E-4,
                      2.65806974686737550832E-6, 6.23974539184983293730E-9}) /
             Poly(z, {1.0, 6.02427039364742014255E0, 3.67983563856160859403E0,
                      1.37702099489081330271E0, 2.16236993594496635890E-1,
                      1.34204006088543189037E-2, 3.28014464682127739104E-4,
                      2.89247864745380683936E-6, 6.79019408009981274425E-9});
    }
    const double r = x0 - x1;
    return lowerTail ? -r : r;
}

double ExpectedScore(double TegenRating, double EigenRating) {
    if (!IsValidRating(TegenRating) || !IsValidRating(EigenRating)) return 0;
    double d = EigenRating - TegenRating;
    if (d > 800) d = 800;
    if (d < -800) d = -800;
    return NormCdf(d / RatingSigma);
}

double RatingFromPercentage(double Procent, double Rc) {
    if (!(Procent > 0 && Procent < 100) || !IsValidRating(Rc)) return 0;
    const double r = NormInv(Procent / 100) * RatingSigma + Rc;
    return r >= 0 ? r : 0;
}

double PerformanceByPercentage(int N, double Score, double Rc, double EigenRating) {
    if (N < 0) return 0;
    if (EigenRating == 0) EigenRating = Rc;
    if (Rc == 0) Rc = EigenRating;
    if (Score == 0 || Score == N) {
        // A zero or perfect score has no finite performance: add one virtual draw
        // against the player's own rating.
        Rc = (N * Rc + EigenRating) / (N + 1);
        ++N;
        Score += 0.5;
    }
    if (N < 1) return 0;
    return RatingFromPercentage(100 * Score / N, Rc);
}

double PerformanceRating(TTprAr Ratings, double EigenRating, double Score) {
    if (Score == 0 || Score == static_cast<double>(Ratings.size())) {
        double extra;
        if (IsValidRating(EigenRating)) {
            extra = EigenRating;
        } else {
            const double avg = Ratings.empty()
                                   ? 0
                                   : std::accumulate(Ratings.begin(), Ratings.end(), 0.0) /
                                         static_cast<double>(Ratings.size());
            extra = avg == 0 ? 1501 : avg;
        }
        Ratings.push_back(static_cast<double>(Round(extra)));
        Score += 0.5;
    }
    double lo = -3500, hi = 3500, mid = 0;
    for (int i = 0; i < 26; ++i) {
        mid = lo + (hi - lo) / 2;
        double e = 0;
        for (const double r : Ratings)
            e += NormCdf((mid - r) / RatingSigma);
        if (Score - e >= 0)
            lo = mid;
        else
            hi = mid;
        if (hi - lo < 0.1) break;
    }
    return mid < 0 ? 0 : mid;
}
