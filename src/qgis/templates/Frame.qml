<!DOCTYPE qgis PUBLIC 'http://mrcc.com/qgis.dtd' 'SYSTEM'>
<!-- The frame by L_code, every line with flat caps. The minute band's outlines, ticks and filled
     cells share one code and are told apart by what they are: an outline is a closed ring; a
     tick runs across its side of the band (along a meridian above and below the sheet, along a
     parallel beside it), a filled cell along it, drawn one band-width wide. A line lies above or
     below the sheet when its middle does; the layer variables mapbasis_sheet_north and
     mapbasis_sheet_south (the sheet edges, degrees) and mapbasis_band_width (mm) are the sheet's,
     written by the run. Each rule has a symbol of its own: QGIS gives a symbol to one rule
     only. -->
<qgis version="3.22.16" styleCategories="Symbology|Labeling|CustomProperties" labelsEnabled="0">
  <renderer-v2 type="RuleRenderer">
    <rules key="r">
      <rule key="band" label="minute band 400901" filter="&quot;L_code&quot; = 400901">
        <rule key="band-outline" symbol="0" label="outlines" filter="is_closed($geometry)"/>
        <rule key="band-tick" symbol="4" label="ticks" filter="NOT is_closed($geometry) AND with_variable('a', start_point($geometry), with_variable('b', end_point($geometry), with_variable('middle', (y(@a) + y(@b)) / 2, (@middle &gt; to_real(@mapbasis_sheet_north) + 1e-6 OR @middle &lt; to_real(@mapbasis_sheet_south) - 1e-6) = (abs(y(@b) - y(@a)) &gt; abs(x(@b) - x(@a)) * cos(radians(@middle))))))"/>
        <rule key="band-cell" symbol="1" label="filled cells" filter="ELSE"/>
      </rule>
      <rule key="outer" symbol="2" label="outer frame 400902" filter="&quot;L_code&quot; = 400902"/>
      <rule key="outer-small" symbol="3" label="outer frame 400922" filter="&quot;L_code&quot; = 400922"/>
      <rule key="companions" symbol="5" label="companion lines 400903" filter="&quot;L_code&quot; = 400903"/>
      <rule key="extensions" symbol="6" label="graticule extensions 400904/400905" filter="&quot;L_code&quot; IN (400904, 400905)"/>
    </rules>
    <symbols>
      <symbol type="line" name="0" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.1"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
      <symbol type="line" name="1" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="1.2"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option><data_defined_properties><Option type="Map"><Option type="QString" name="name" value=""/><Option type="Map" name="properties"><Option type="Map" name="outlineWidth"><Option type="bool" name="active" value="true"/><Option type="QString" name="expression" value="to_real(@mapbasis_band_width)"/><Option type="int" name="type" value="3"/></Option></Option><Option type="QString" name="type" value="collection"/></Option></data_defined_properties></layer></symbol>
      <symbol type="line" name="2" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.5"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
      <symbol type="line" name="3" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.4"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
      <symbol type="line" name="4" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.1"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
      <symbol type="line" name="5" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.1"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
      <symbol type="line" name="6" alpha="1"><layer class="SimpleLine" enabled="1"><Option type="Map"><Option type="QString" name="line_color" value="0,0,0,255"/><Option type="QString" name="line_width" value="0.1"/><Option type="QString" name="line_width_unit" value="MM"/><Option type="QString" name="capstyle" value="flat"/><Option type="QString" name="joinstyle" value="miter"/></Option></layer></symbol>
    </symbols>
  </renderer-v2>
  <customproperties>
    <Option type="Map">
      <Option type="List" name="variableNames">
        <Option type="QString" value="mapbasis_sheet_north"/>
        <Option type="QString" value="mapbasis_sheet_south"/>
        <Option type="QString" value="mapbasis_band_width"/>
      </Option>
      <Option type="List" name="variableValues">
        <Option type="QString" value="{{SHEET_NORTH}}"/>
        <Option type="QString" value="{{SHEET_SOUTH}}"/>
        <Option type="QString" value="{{BAND_WIDTH}}"/>
      </Option>
    </Option>
  </customproperties>
</qgis>
