// Prints the game's par sheet, exact, for the ideal draw (every symbol 1 in 12) and for the draw of
// this runtime (rand() % 12); with --simulate, also plays rounds through the game's real window and
// checks the exact figures against the simulated ones.
//
//   parsheet                          the exact par sheet
//   parsheet --simulate N [--seed S]  and N rounds played from seed S (default 1)
//
// Exit code: 0, or 1 when an exact figure falls outside the simulation's 99% interval, or 2 when the
// arguments are wrong or the simulation could not play.
#include "ParSheet.h"
#include "RoundSimulator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

void PrintDraw(const ParSheet::SymbolWeights& draw)
{
    // Symbols grouped by their number of cases.
    std::map<std::uint32_t, std::string> groups;
    for (int symbol = 0; symbol < ParSheet::SymbolCount; ++symbol) {
        std::string& group = groups[draw.weights[static_cast<size_t>(symbol)]];
        group += (group.empty() ? "" : " ") + std::to_string(symbol);
    }
    for (const auto& [weight, symbols] : groups) {
        const double relative = static_cast<double>(weight) * ParSheet::SymbolCount / draw.Total();
        std::printf("  symbols %s: %u/%u each = 1/12 x %.6f\n", symbols.c_str(), weight, draw.Total(), relative);
    }
}

void PrintFigures(const char* name, const ParSheet::Figures& figures)
{
    std::printf("  %-12s return to player %.12f   hit frequency %.12f   standard deviation %.6f\n", name,
                static_cast<double>(figures.returnToPlayer.Value()), static_cast<double>(figures.hitFrequency.Value()),
                static_cast<double>(figures.standardDeviation));
    std::printf("  %-12s   exactly %s\n", "", figures.returnToPlayer.ToString().c_str());
    std::printf("  %-12s   hits    %s\n", "", figures.hitFrequency.ToString().c_str());
}

ParSheet::Sheet PrintSheet(const char* title, const ParSheet::SymbolWeights& draw)
{
    std::printf("%s\n", title);
    PrintDraw(draw);
    const ParSheet::Sheet sheet = ParSheet::Compute(draw);
    PrintFigures("single spin", sheet.spin);
    PrintFigures("full round", sheet.round);
    std::printf("\n");
    return sheet;
}

bool PrintAgreement(const char* name, long double simulated, long double halfWidth, long double exact)
{
    const bool inside = exact >= simulated - halfWidth && exact <= simulated + halfWidth;
    std::printf("  %-16s %.6f +- %.6f (99%%: %.6f .. %.6f); exact %.6f %s\n", name, static_cast<double>(simulated),
                static_cast<double>(halfWidth), static_cast<double>(simulated - halfWidth),
                static_cast<double>(simulated + halfWidth), static_cast<double>(exact), inside ? "inside" : "OUTSIDE");
    return inside;
}

int Simulate(long long rounds, unsigned seed, const ParSheet::Figures& exact)
{
    ParSheet::RoundSimulator simulator(seed);
    if (!simulator.Ready()) {
        std::fprintf(stderr, "parsheet: the game's window could not be made\n");
        return 2;
    }
    ParSheet::Tally tally;
    for (long long round = 0; round < rounds; ++round) {
        const int payout = simulator.PlayRound();
        if (payout < 0) {
            std::fprintf(stderr, "parsheet: round %lld did not play to its end\n", round + 1);
            return 2;
        }
        tally.Add(payout);
    }
    std::printf("%lld rounds through the game's window, seed %u, bet 1, automatic holds:\n", rounds, seed);
    const bool rtpInside = PrintAgreement("return to player", tally.Mean(), tally.MeanHalfWidth(),
                                          exact.returnToPlayer.Value());
    const bool hitsInside = PrintAgreement("hit frequency", tally.HitFrequency(), tally.HitHalfWidth(),
                                           exact.hitFrequency.Value());
    if (simulator.UnexpectedBoxes() != 0) {
        std::fprintf(stderr, "parsheet: %d message boxes came up while playing\n", simulator.UnexpectedBoxes());
        return 2;
    }
    return rtpInside && hitsInside ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    long long rounds = 0;
    unsigned long seed = 1;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--simulate") == 0 && hasValue) {
            rounds = std::atoll(argv[++i]);
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            seed = std::strtoul(argv[++i], nullptr, 10);
        } else {
            std::fprintf(stderr, "usage: parsheet [--simulate ROUNDS [--seed SEED]]\n");
            return 2;
        }
    }

    std::printf("Payout per unit bet; the bet is paid on every round.\n\n");
    PrintSheet("Ideal draw:", ParSheet::UniformWeights());
    const ParSheet::Sheet runtime = PrintSheet("This runtime's draw, rand() % 12 over 0..RAND_MAX:",
                                               ParSheet::RuntimeWeights());
    if (rounds <= 0)
        return 0;
    return Simulate(rounds, static_cast<unsigned>(seed), runtime.round);
}
