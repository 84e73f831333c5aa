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
  const std::optional<ShapeFault> shape = fault.As<ShapeFault>();
  return {fault,
          Tr("cannot write record %1 of the layer %2: %3", layer.recordCount,
             Quoted(layer.BasePath()), shape ? ShapeFaultText(*shape) : Tr("it was refused"))};
}

Outcome Incomplete(const Layer& layer) {
  return Failure(ShapeFault::kNotWritten, Tr("a line of the layer %1 needs more than %2 vertices",
                                             Quoted(layer.BasePath()), kWorkArrayCapacity));
}

}  // namespace

Outcome OpenLayerIn(std::int32_t CS, const NamedPath& folder, std::string_view name,
                    std::int32_t shapeType, std::span<const FieldDef> fields, Layer& layer,
                    FileSets& destination) {
  const NamedPath base = Joined(folder, name);
  const Fault fault = OpenLayer(CS, shapeType, base, fields, layer, destination);
  if (!fault) return Success();
  const std::optional<LayerFault> why = fault.As<LayerFault>();
  return {fault, Tr("cannot create the layer %1: %2", Quoted(base.text),
                    why ? LayerFaultText(*why) : Tr("it was refused"))};
}

Outcome OpenLayerIn(std::int32_t CS, const ResultFolders& folders, const LayerSpec& spec,
                    Layer& layer, FileSets& destination, const LayerStyles& styles) {
  Outcome opened = OpenLayerIn(CS, folders.Of(spec.folder), spec.name, spec.shapeType, spec.fields,
                               layer, destination);
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
