#pragma once

#include <QList>
#include <QString>

#include <random>

namespace tarvola::bench {

// Deterministic choices for generated cards: the same seed gives the same archive, so two
// runs of the benchmark time the same work.
class Random {
public:
    explicit Random(quint32 seed)
        : m_engine(seed) {}

    // 0 ... n - 1.
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_engine); }
    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_engine);
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_engine); }

    template <typename T> const T& pick(const QList<T>& items) {
        return items[below(int(items.size()))];
    }

    // n decimal digits.
    QString digits(int n) {
        QString text;
        for (int i = 0; i < n; ++i)
            text += QChar(u'0' + below(10));
        return text;
    }

private:
    std::mt19937 m_engine;
};

} // namespace tarvola::bench
