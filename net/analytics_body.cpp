#include "net/analytics_body.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace analytics {
namespace {

constexpr char kEventCategory[] = "3.3";

void writeString(rapidjson::Writer<rapidjson::StringBuffer>& writer, const std::string& text) {
  writer.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
}

}  // namespace

std::string buildCollectUrl(const std::string& collectorBase,
                            const std::string& measurementId,
                            const std::string& apiSecret) {
  return collectorBase + "/mp/collect?measurement_id=" + measurementId + "&api_secret=" + apiSecret;
}

std::string buildEventBody(const std::string& clientId, const std::string& name, const std::string& label) {
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
  writer.StartObject();
  writer.Key("client_id");
  writeString(writer, clientId);
  writer.Key("events");
  writer.StartArray();
  writer.StartObject();
  writer.Key("name");
  writeString(writer, name);
  writer.Key("params");
  writer.StartObject();
  writer.Key("event_category");
  writer.String(kEventCategory);
  writer.Key("event_label");
  writeString(writer, label);
  writer.EndObject();
  writer.EndObject();
  writer.EndArray();
  writer.EndObject();
  return std::string(buffer.GetString(), buffer.GetSize());
}

}  // namespace analytics
