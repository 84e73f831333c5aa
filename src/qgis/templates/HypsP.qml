<!DOCTYPE qgis PUBLIC 'http://mrcc.com/qgis.dtd' 'SYSTEM'>
<!-- The coordinate nodes: small light-grey crosses that a print barely shows. -->
<qgis version="3.22.16" styleCategories="Symbology|Labeling" labelsEnabled="0">
  <renderer-v2 type="singleSymbol">
    <symbols>
      <symbol type="marker" name="0" alpha="1">
        <layer class="SimpleMarker" enabled="1">
          <Option type="Map">
            <Option type="QString" name="name" value="cross"/>
            <Option type="QString" name="size" value="1"/>
            <Option type="QString" name="size_unit" value="MM"/>
            <Option type="QString" name="outline_color" value="190,190,190,255"/>
            <Option type="QString" name="outline_width" value="0.1"/>
            <Option type="QString" name="outline_width_unit" value="MM"/>
          </Option>
        </layer>
      </symbol>
    </symbols>
  </renderer-v2>
</qgis>
