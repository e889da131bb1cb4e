#include "outputs/gpx_output.h"

namespace trelvox {

void GpxOutput::writeHead(const Decoder& sensor) {
  xml()
      .raw(
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<gpx version=\"1.1\" creator=\"Trelvox\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
          "  <trk>\n    <name>")
      .escaped(logName())
      .raw("</name>\n    <src>")
      .escaped(sensorText(sensor))
      .raw("</src>\n    <trkseg>\n");
}

void GpxOutput::writePoint(const TrackPoint& point) {
  xml()
      .raw("      <trkpt lat=\"")
      .number(point.position.latitude, kCoordinateDecimals)
      .raw("\" lon=\"")
      .number(point.position.longitude, kCoordinateDecimals)
      .raw("\">");
  if (point.height) xml().raw("<ele>").number(*point.height, 1).raw("</ele>");
  if (point.time) xml().raw("<time>").raw(utcTimeText(*point.time)).raw("</time>");
  xml().raw("</trkpt>\n");
}

void GpxOutput::writeTail() { xml().raw("    </trkseg>\n  </trk>\n</gpx>\n"); }

}  // namespace trelvox
