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
  char* out = writeText(xml().room(XmlWriter::kMaxRoom), "      <trkpt lat=\"");
  out = writeCoordinate(out, point.position.latitude);
  out = writeText(out, "\" lon=\"");
  out = writeCoordinate(out, point.position.longitude);
  out = writeText(out, "\">");
  if (point.height.present) {
    out = writeText(writeReading(writeText(out, "<ele>"), point.height), "</ele>");
  }
  if (point.time) {
    out = writeText(writeText(writeText(out, "<time>"), times_.text(*point.time)), "</time>");
  }
  xml().advance(writeText(out, "</trkpt>\n"));
}

void GpxOutput::writeTail() { xml().raw("    </trkseg>\n  </trk>\n</gpx>\n"); }

}  // namespace trelvox
