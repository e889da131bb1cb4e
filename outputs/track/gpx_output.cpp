#include "outputs/track/gpx_output.h"

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
  out = point.latitudeText.copyTo(out);
  out = writeText(out, "\" lon=\"");
  out = point.longitudeText.copyTo(out);
  out = writeText(out, "\">");
  if (point.height.present) {
    out = writeText(point.heightText.copyTo(writeText(out, "<ele>")), "</ele>");
  }
  if (point.time) {
    out = writeText(point.timeText.copyTo(writeText(out, "<time>")), "</time>");
  }
  xml().advance(writeText(out, "</trkpt>\n"));
}

void GpxOutput::writeTail() { xml().raw("    </trkseg>\n  </trk>\n</gpx>\n"); }

}  // namespace trelvox
