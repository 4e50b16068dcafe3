#include "stats/beta_quantile.h"

// Boost's root finders include <iostream> for their optional tracing alone, and with it a static
// object that sets up the standard streams and their locales at every start of the program:
// 0.3 MB of libstdc++'s pages for streams that nothing here uses. Its include guard keeps it out.
#if defined(__GLIBCXX__) && !defined(BOOST_MATH_INSTRUMENT)
#define _GLIBCXX_IOSTREAM 1
#endif
// Boost's errors set errno instead of throwing, Evaluated() below turns them back into an
// exception: a thrown error's message is formatted through string streams, whose locale and
// stream code would otherwise come along into every build (much of the page's WebAssembly).
// Every error that leaves a finite value sets EDOM: the C library sets ERANGE on a harmless
// underflow inside a correct evaluation, and Boost's own rounding error would too.
#define BOOST_MATH_DOMAIN_ERROR_POLICY errno_on_error
#define BOOST_MATH_POLE_ERROR_POLICY errno_on_error
#define BOOST_MATH_OVERFLOW_ERROR_POLICY errno_on_error
#define BOOST_MATH_EVALUATION_ERROR_POLICY errno_on_error
#define BOOST_MATH_ROUNDING_ERROR_POLICY user_error
#include <boost/math/special_functions/beta.hpp>
#include <cerrno>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "stats/normsinv.h"

template <class T, class TargetType>
T boost::math::policies::user_rounding_error(const char*, const char*, const T& value,
                                             const TargetType&) {
    errno = EDOM;
    return value;
}

namespace tallyvane {
namespace {

namespace policies = boost::math::policies;

template <bool promote>
using Checked = policies::policy<policies::promote_double<promote>>;
using DoubleThroughout = Checked<false>;
#ifdef __EMSCRIPTEN__
// WebAssembly's long double is a quad in software whose C library functions are no better than
// double's. Boost's inverse, promoted to it, aims at digits it cannot reach and stops short of
// double's own. The Newton steps below still need the promotion: at these sizes I_x in double
// is good to only about 1e-10.
using InversePrecision = DoubleThroughout;
#else
using InversePrecision = Checked<true>;
#endif

// The value of Boost's functions, or the exception for the error they reported.
template <typename Evaluate>
double Evaluated(Evaluate evaluate) {
    errno = 0;
    const double value = evaluate();
    if (errno == EDOM || !std::isfinite(value)) {
        throw std::domain_error("the beta quantile cannot be evaluated here");
    }
    return value;
}

// Where both parameters pass this, the distribution is all but normal and Newton's method from
// the normal approximation converges in a few steps, while Boost's inverse can run out of
// series terms (it does beyond about 10^10) after milliseconds of trying.
constexpr double kLargeParameter = 1e6;

// Newton's method on I_x(a, b) - p from the normal approximation, which at these sizes, and with
// p away from the tails, starts close enough for every step to head straight for the root. It
// stops at the last bit, or where the steps stop shrinking: at these sizes I_x is only good to
// about 1e-7, and below that its noise, not the root, would steer the steps.
double NewtonBetaQuantile(double a, double b, double p) {
    const double n = a + b;
    const double mean = a / n, sd = std::sqrt(a / n * (b / n) / (n + 1.0));
    double x = mean + NormSInv(p) * sd;
    double lastStep = std::numeric_limits<double>::infinity();
    for (int i = 0; i < 100; ++i) {
        const double step = (boost::math::ibeta(a, b, x, Checked<true>()) - p) /
                            boost::math::ibeta_derivative(a, b, x, Checked<true>());
        x -= step;
        if (std::abs(step) <= 4.0 * std::numeric_limits<double>::epsilon() * x ||
            std::abs(step) > lastStep / 2.0) {
            return x;
        }
        lastStep = std::abs(step);
    }
    return x;
}

// Whether the quantile is Newton's: both parameters large, and p where the normal approximation
// starts it well (far in a tail, the steps overshoot and the noise of I_x stops them early).
bool ByNewton(double a, double b, double p) {
    return a > kLargeParameter && b > kLargeParameter && p >= 1e-3 && p <= 1.0 - 1e-3;
}

}  // namespace

double BetaQuantile(double a, double b, double p) {
    if (ByNewton(a, b, p)) {
        return Evaluated([&] { return NewtonBetaQuantile(a, b, p); });
    }
    return Evaluated([&] { return boost::math::ibeta_inv(a, b, p, InversePrecision()); });
}

double QuickBetaQuantile(double a, double b, double p) {
    if (ByNewton(a, b, p)) {
        return Evaluated([&] { return NewtonBetaQuantile(a, b, p); });
    }
    return Evaluated([&] { return boost::math::ibeta_inv(a, b, p, DoubleThroughout()); });
}

}  // namespace tallyvane
