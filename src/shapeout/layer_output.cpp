#include "shapeout/layer_output.h"

#include <string>

#include "core/echo.h"
#include "core/messages.h"
#include "shapeout/shape_writers.h"

namespace mapbasis {

namespace {

std::string Quoted(std::string_view text) { return "\"" + EchoPath(text) + "\""; }

Outcome Written(const Layer& layer, const Fault& fault) {
  if (!fault) return Success();
  return {fault, Tr("cannot write record %1 of the layer %2 (status %3)", layer.recordCount,
                    Quoted(layer.BasePath()), fault.code())};
}

Outcome Incomplete(const Layer& layer) {
  return Failure(ShapeFault::kNotWritten, Tr("a line of the layer %1 needs more than %2 vertices",
                                             Quoted(layer.BasePath()), kWorkArrayCapacity));
}

}  // namespace

Outcome OpenLayerIn(std::int32_t CS, const NamedPath& folder, std::string_view name,
                    std::int32_t shapeType, std::span<const FieldDef> fields, Layer& layer) {
  const NamedPath base = Joined(folder, name);
  const Fault fault = OpenLayer(CS, shapeType, base, fields, layer);
  if (!fault) return Success();
  return {fault, Tr("cannot create the layer %1 (status %2)", Quoted(base.text), fault.code())};
}

Outcome OpenLayerIn(std::int32_t CS, const ResultFolders& folders, const LayerSpec& spec,
                    Layer& layer, const LayerStyles& styles) {
  Outcome opened =
      OpenLayerIn(CS, folders.Of(spec.folder), spec.name, spec.shapeType, spec.fields, layer);
  if (opened.ok() && styles) layer.SetStyle(styles(spec));
  return opened;
}

Outcome FinishLayer(Layer& layer) { return CloseLayer(layer); }

Outcome WriteWorkLine(Layer& layer, std::string_view attributes, const VertexWork& work) {
  if (work.Incomplete()) return Incomplete(layer);
  return Written(layer, WriteLineShape(layer, attributes, work.X(), work.Y()));
}

Outcome WriteWorkPolygon(Layer& layer, std::string_view attributes, const VertexWork& work) {
  if (work.Incomplete()) return Incomplete(layer);
  return Written(layer, WritePolygonShape(layer, attributes, work.X(), work.Y()));
}

Outcome WritePointRecord(Layer& layer, std::string_view attributes, double x, double y) {
  return Written(layer, WritePointShape(layer, attributes, x, y));
}

}  // namespace mapbasis
