#pragma once
// The request of one analytics event: its measurement-protocol URL and its
// compact JSON body. Pure text work, no platform calls.

#include <string>

namespace analytics {

// collectorBase (scheme and host, no trailing "/") + "/mp/collect?measurement_id="
// + measurementId + "&api_secret=" + apiSecret, taken as they are.
std::string buildCollectUrl(const std::string& collectorBase,
                            const std::string& measurementId,
                            const std::string& apiSecret);
// {"client_id":..,"events":[{"name":..,"params":{"event_category":"3.3","event_label":..}}]}
// compact, in this member order, with standard JSON string escaping.
std::string buildEventBody(const std::string& clientId, const std::string& name, const std::string& label);

}  // namespace analytics
