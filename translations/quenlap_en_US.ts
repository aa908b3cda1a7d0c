<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="es">
<context>
    <name>Recursos</name>
    <message>
        <source>Tarvel Viewer</source>
        <translation>Tarvel Viewer</translation>
    </message>
    <message>
        <source>1.12 Build 25</source>
        <translation>1.12 Build 25</translation>
    </message>
    <message>
        <source>en vuelta</source>
        <translation>on lap</translation>
    </message>
    <message>
        <source>Aviso para recoger coches a: %s</source>
        <translation>Car pick-up call for: %s</translation>
    </message>
    <message>
        <source>Error cargando fichero de datos</source>
        <translation>Error loading data file</translation>
    </message>
    <message>
        <source>Error conectando con Tarvel</source>
        <translation>Error connecting to Tarvel</translation>
    </message>
</context>
<context>
    <name>quenlap::TFrmListaVueltas</name>
    <message>
        <source>Corredores</source>
        <translation>Drivers</translation>
    </message>
    <message>
        <source>Tiempos</source>
        <translation>Times</translation>
    </message>
    <message>
        <source>Gráfica Vueltas</source>
        <translation>Lap Chart</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Vueltas</source>
        <translation>Laps</translation>
    </message>
    <message>
        <source>Mejor Tiempo</source>
        <translation>Best Time</translation>
    </message>
    <message>
        <source>&amp;Copiar al portapales</source>
        <translation>&amp;Copy to clipboard</translation>
    </message>
    <message>
        <source>&amp;Desconectar</source>
        <translation>&amp;Disconnect</translation>
    </message>
    <message>
        <source>Vueltas de carrera</source>
        <translation>Race laps</translation>
    </message>
    <message>
        <source>Vueltas de </source>
        <translation>Laps of </translation>
    </message>
    <message>
        <source>Conectado a Tarvel</source>
        <translation>Connected to Tarvel</translation>
    </message>
    <message>
        <source>Desconectado</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>Reconectando a Tarvel</source>
        <translation>Reconnecting to Tarvel</translation>
    </message>
    <message>
        <source>Conectado a DSRouter</source>
        <translation>Connected to DSRouter</translation>
    </message>
    <message>
        <source>No se puede cargar la imagen %1</source>
        <translation>Cannot load the picture %1</translation>
    </message>
    <message>
        <source>&amp;Leer Vueltas</source>
        <translation>&amp;Read Laps</translation>
    </message>
    <message>
        <source>Se alcanzó el límite de conexiones</source>
        <translation>The connection limit was reached</translation>
    </message>
    <message>
        <source>en vuelta</source>
        <translation>on lap</translation>
    </message>
    <message>
        <source>Puerto no válido %1</source>
        <translation>Invalid port %1</translation>
    </message>
</context>
<context>
    <name>quenlap::TFrmMain</name>
    <message>
        <source>&amp;Archivo</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Abrir</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;Cerrar todo</source>
        <translation>&amp;Close all</translation>
    </message>
    <message>
        <source>Conectar a &amp;Tarvel</source>
        <translation>Connect to &amp;Tarvel</translation>
    </message>
    <message>
        <source>Conectar a &amp;DS Router ...</source>
        <translation>Connect to &amp;DS Router ...</translation>
    </message>
    <message>
        <source>&amp;Salir</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Ventana</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Cascada</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>&amp;Mosaico</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>&amp;Reorganizar iconos</source>
        <translation>&amp;Arrange icons</translation>
    </message>
    <message>
        <source>&amp;Herramientas</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>&amp;Lectura ...</source>
        <translation>&amp;Speech ...</translation>
    </message>
    <message>
        <source>&amp;Idioma</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Acerca de ...</source>
        <translation>&amp;About ...</translation>
    </message>
    <message>
        <source>Error cargando fichero de datos</source>
        <translation type="obsolete">Error loading data file</translation>
    </message>
    <message>
        <source>Error conectando con Tarvel</source>
        <translation type="obsolete">Error connecting to Tarvel</translation>
    </message>
    <message>
        <source>Archivos de datos de Tarvel (*.dat)</source>
        <translation>Tarvel data files (*.dat)</translation>
    </message>
    <message>
        <source>Archivos de pelta (*.plresult)</source>
        <translation>Pelta files (*.plresult)</translation>
    </message>
    <message>
        <source>Todos los archivos (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>Conexion a DS Router - Slot</source>
        <translation>DS Router connection - Slot</translation>
    </message>
    <message>
        <source>Servidor DSRouter</source>
        <translation>DSRouter server</translation>
    </message>
</context>
<context>
    <name>quenlap::TFrmSAPI5</name>
    <message>
        <source>Parámetros de Lectura</source>
        <translation>Speech Settings</translation>
    </message>
    <message>
        <source>&amp;Servidor de Voz</source>
        <translation>&amp;Speech Server</translation>
    </message>
    <message>
        <source>DS &amp;Router</source>
        <translation>DS &amp;Router</translation>
    </message>
    <message>
        <source>Activar</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>&amp;Locutor</source>
        <translation>&amp;Voice</translation>
    </message>
    <message>
        <source>Aviso</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>&amp;Oir</source>
        <translation>&amp;Listen</translation>
    </message>
    <message>
        <source>Velocidad</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Volumen</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source> Lectura de todas las vueltas por pista </source>
        <translation> Read every lap of a lane </translation>
    </message>
    <message>
        <source>Pista &amp;%1</source>
        <translation>Lane &amp;%1</translation>
    </message>
    <message>
        <source>Leer &amp;todas si solo hay un coche en pista</source>
        <translation>Read &amp;all when only one car is on the track</translation>
    </message>
    <message>
        <source>En un lugar de la mancha, de cuyo nombre no quiero acordarme.</source>
        <translation>In a village of La Mancha, the name of which I have no desire to call to mind.</translation>
    </message>
</context>
<context>
    <name>quenlap::TModeloCoches</name>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>Piloto</source>
        <translation>Driver</translation>
    </message>
    <message>
        <source>Pos</source>
        <translation>Pos</translation>
    </message>
    <message>
        <source>V</source>
        <translation>L</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Diff</source>
        <translation>Diff</translation>
    </message>
    <message>
        <source>Gap</source>
        <translation>Gap</translation>
    </message>
    <message>
        <source>Ultima</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>Mejor</source>
        <translation>Best</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Est</source>
        <translation>Est</translation>
    </message>
</context>
<context>
    <name>quenlap::TPanelCalidad</name>
    <message>
        <source>Muy buena (&lt;min+          seg.)</source>
        <translation>Very good (&lt;min+          sec.)</translation>
    </message>
    <message>
        <source>Buena        (&lt;min+          seg.)</source>
        <translation>Good        (&lt;min+          sec.)</translation>
    </message>
    <message>
        <source>Mala        (&gt;min +          seg.)</source>
        <translation>Bad        (&gt;min +          sec.)</translation>
    </message>
    <message>
        <source>Muy mala (&gt;min *          seg.)</source>
        <translation>Very bad (&gt;min *          sec.)</translation>
    </message>
</context>
<context>
    <name>quenlap::TSplash</name>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Haga click en la pantalla para continuar</source>
        <translation>Click on the screen to continue</translation>
    </message>
</context>
<context>
    <name>quenlap::TfrmInputServer</name>
    <message>
        <source>Servidor Tarvel</source>
        <translation>Tarvel Server</translation>
    </message>
    <message>
        <source>Servidor &amp;Tarvel</source>
        <translation>&amp;Tarvel server</translation>
    </message>
    <message>
        <source>URL Diseño circuito</source>
        <translation>Track design URL</translation>
    </message>
    <message>
        <source>Auto &amp;reconexión</source>
        <translation>Auto &amp;reconnect</translation>
    </message>
    <message>
        <source>C&amp;onectar</source>
        <translation>C&amp;onnect</translation>
    </message>
    <message>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
</TS>
