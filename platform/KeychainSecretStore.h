#pragma once

#include "SecretStore.h"

#include <chrono>
#include <map>
#include <optional>

// The desktop's password store through QtKeychain, under the service name "Bellwick". Every call
// waits for its answer in an event loop that takes no user input, for at most the time limit.
//
// What the store holds is remembered, so that a secret written again unchanged (every save of the
// groups) costs no call. A store that was unavailable once stays so for the rest of the run: the
// program then keeps the passwords in its files, as it does without a store.
class KeychainSecretStore final : public SecretStore
{
public:
    explicit KeychainSecretStore(std::chrono::milliseconds limit = std::chrono::minutes(2));

    Result Read(const QString& key, std::string& secret) override;
    Result Write(const QString& key, const std::string& secret) override;
    Result Remove(const QString& key) override;
    [[nodiscard]] QString Problem() const override { return m_problem; }

private:
    std::chrono::milliseconds m_limit;
    // Per key: the secret the store holds, or nothing when it holds none.
    std::map<QString, std::optional<std::string>> m_known;
    QString m_problem;
};
