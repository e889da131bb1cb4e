#include "outputs/health/log_rules.h"

#include "outputs/health/log_checks.h"

namespace trelvox {

LogRules logRulesOf(const HealthLimits& limits) {
  LogRules rules{.flights = limits.flights};
  for (const LogCheckRow& check : logChecks()) {
    if (limits.isOff(check.name)) {
      rules.off.push_back(check.name);
      continue;
    }
    for (const CheckSetting& setting : check.settings) {
      rules.checks.push_back({check.name, setting.key, limits.valueOf(setting)});
    }
  }
  return rules;
}

}  // namespace trelvox
